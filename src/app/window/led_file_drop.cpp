#include "app/window/led_file_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace lumera::app {

QString DroppedLedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) {
        return {};
    }
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return {};
    }
    const QString path = urls.front().toLocalFile();
    const bool messageFile = path.endsWith(QStringLiteral(".led"), Qt::CaseInsensitive) ||
                             path.endsWith(QStringLiteral(".lumera"), Qt::CaseInsensitive);
    return messageFile ? path : QString();
}

LedFileDrop::LedFileDrop(std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), open_(std::move(open)) {}

void LedFileDrop::watch(QWidget* widget) {
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

bool LedFileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QObject::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = DroppedLedFile(drop->mimeData());
    if (path.isEmpty()) {
        return QObject::eventFilter(watched, event);
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        QTimer::singleShot(0, this, [this, path] { open_(path); });
    }
    return true;
}

}  // namespace lumera::app
