#include "app/link/display_views.h"

#include <QPushButton>
#include <QScreen>

#include "app/link/display_window.h"
#include "app/window/window_fit.h"
#include "download/display_connection.h"

namespace lumera::app {
namespace {

// Above "Link Status:", left of the link picture.
constexpr QRect kButtonPlace(8, 14, 84, 22);

}  // namespace

DisplayViews::DisplayViews(QWidget* linkArea, QWidget* window) : QObject(window), window_(window) {
    const std::optional<std::string> folder = download::EmulatedDisplayFolder();
    if (!folder) {
        return;
    }
    emulatorDirectory_ = std::filesystem::path(*folder);
    button_ = new QPushButton(linkArea);
    button_->setObjectName(QStringLiteral("BtnDisplay"));
    button_->setGeometry(kButtonPlace);
    connect(button_, &QPushButton::clicked, this, &DisplayViews::OpenDisplay);
    Retranslate();
}

void DisplayViews::Retranslate() {
    if (button_) {
        button_->setText(tr("&Display"));
        button_->setToolTip(tr("Play what the emulated display holds"));
    }
}

void DisplayViews::OpenDisplay() {
    if (!emulatorDirectory_) {
        return;
    }
    if (!display_) {
        display_ = new DisplayWindow(*emulatorDirectory_, window_);
        // Its picture scales, so on a small screen it is made smaller rather than cut off.
        const QScreen* screen = window_->screen();
        display_->resize(
            screen ? display_->sizeHint().boundedTo(RoomWithin(screen->availableGeometry()))
                   : display_->sizeHint());
    }
    display_->show();
    display_->raise();
    display_->Restart();
}

void DisplayViews::AfterSend() {
    if (display_ && display_->isVisible()) {
        display_->Restart();
    }
}

}  // namespace lumera::app
