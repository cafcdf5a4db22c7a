// The window as a desktop program: it fits the screen it is on.
#include <QEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include "app/qt/window_style.h"
#include "app/window/tform1.h"
#include "app/window/window_fit.h"

namespace lumera::app {
namespace {

// Fits the window again when it moves to another screen (another size or pixel ratio).
class FitOnScreenChange : public QObject {
public:
    explicit FitOnScreenChange(TForm1* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ScreenChangeInternal && window_->screen()) {
            window_->FitInto(window_->screen()->availableGeometry());
        }
        return false;
    }

private:
    TForm1* window_;
};

}  // namespace

void TForm1::BuildFrame() {
    content_->setObjectName(QStringLiteral("WindowContent"));
    content_->setFixedSize(kWindowWidth, kWindowHeight);
    frame_ = new QScrollArea(this);
    frame_->setObjectName(QStringLiteral("WindowFrame"));
    frame_->setFrameShape(QFrame::NoFrame);
    frame_->setFocusPolicy(Qt::NoFocus);
    frame_->setWidget(content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame_);
    setFixedSize(kWindowWidth, kWindowHeight);
    installEventFilter(new FitOnScreenChange(this));
}

void TForm1::FitInto(const QRect& available) {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, frame_);
    setFixedSize(FittedWindowSize(content_->size(), RoomWithin(available), scrollBar));
}

}  // namespace lumera::app
