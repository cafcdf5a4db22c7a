#include "app/commands/window_keyboard.h"

#include <QCoreApplication>

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

QString KeyName(unsigned char code) {
    const QChar character = QLatin1Char(static_cast<char>(code));
    if (character.isUpper()) {
        return QCoreApplication::translate("GlyphName", "capital %1").arg(character);
    }
    if (character.isLower()) {
        return QCoreApplication::translate("GlyphName", "small %1").arg(character);
    }
    return QCoreApplication::translate("GlyphName", GlyphName(code).c_str());
}

QString KeyToolTip(unsigned char code) {
    return QCoreApplication::translate("GlyphName", "%1 — code 0x%2")
        .arg(KeyName(code))
        .arg(QString::number(code, 16).toUpper().rightJustified(2, QLatin1Char('0')));
}

}  // namespace lumera::app
