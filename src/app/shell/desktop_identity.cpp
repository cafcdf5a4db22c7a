#include "app/shell/desktop_identity.h"

#include <QGuiApplication>
#include <QIcon>

namespace lumera::app {
namespace {

// The sizes rendered from the installed icon's picture into the program's resources.
constexpr int kIconSizes[] = {32, 48, 64, 128};

}  // namespace

void ClaimDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral(LUMERA_APP_ID));
    // From the program itself: no icon-theme search and no drawing while the window starts;
    // each size is read only when it is shown.
    QIcon icon;
    for (const int size : kIconSizes) {
        icon.addFile(QStringLiteral(":/lumera/icon-%1.png").arg(size), QSize(size, size));
    }
    QGuiApplication::setWindowIcon(icon);
}

}  // namespace lumera::app
