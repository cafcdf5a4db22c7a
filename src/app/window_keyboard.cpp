#include "app/window_keyboard.h"

#include "editing/glyph_names.h"

namespace lumera::app {

QString WithMnemonic(const QString& caption, QChar letter) {
    QString escaped = caption;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    const qsizetype at = escaped.indexOf(letter, 0, Qt::CaseInsensitive);
    if (at >= 0 && !letter.isNull()) {
        escaped.insert(at, QLatin1Char('&'));
    }
    return escaped;
}

QString KeyToolTip(unsigned char code) {
    return QStringLiteral("%1 — code 0x%2")
        .arg(QString::fromStdString(GlyphName(code)))
        .arg(QString::number(code, 16).toUpper().rightJustified(2, QLatin1Char('0')));
}

}  // namespace lumera::app
