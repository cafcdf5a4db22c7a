#include "app/desktop_identity.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include "app/window_icons.h"

namespace lumera::app {
namespace {

constexpr int kFallbackIconSizes[] = {32, 48, 64, 128};

QPixmap ApplicationPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    DrawWindowPicture(painter, WindowPicture::Application, QRectF(0, 0, size, size),
                      QGuiApplication::palette().window().color());
    return picture;
}

}  // namespace

void ClaimDesktopIdentity() {
    const QString id = QStringLiteral(LUMERA_APP_ID);
    QGuiApplication::setDesktopFileName(id);
    QIcon icon = QIcon::fromTheme(id);
    // Not installed, or installed where the icon theme does not look: the same sign drawn here.
    if (icon.isNull()) {
        for (const int size : kFallbackIconSizes) {
            icon.addPixmap(ApplicationPicture(size));
        }
    }
    QGuiApplication::setWindowIcon(icon);
}

}  // namespace lumera::app
