// The window as a desktop program: it fits the screen it is on, grows with it, and opens
// where it was last closed.
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include "app/qt/window_memory.h"
#include "app/qt/window_style.h"
#include "app/window/tform1.h"
#include "app/window/window_fit.h"
#include "app/window/window_split.h"

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
    content_->setMinimumSize(kWindowWidth, kWindowHeight);
    frame_ = new QScrollArea(this);
    frame_->setObjectName(QStringLiteral("WindowFrame"));
    frame_->setFrameShape(QFrame::NoFrame);
    frame_->setFocusPolicy(Qt::NoFocus);
    frame_->setWidgetResizable(true);
    frame_->setWidget(content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame_);
    setMinimumSize(kWindowWidth, kWindowHeight);
    resize(kWindowWidth, kWindowHeight);
    installEventFilter(new FitOnScreenChange(this));
}

void TForm1::FitInto(const QRect& available) {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, frame_);
    const QSize room = RoomWithin(available);
    const bool atSmallest = size() == minimumSize();
    const QSize smallest = FittedWindowSize(content_->minimumSize(), room, scrollBar);
    setMinimumSize(smallest);
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        return;
    }
    resize(atSmallest ? smallest : size().boundedTo(room).expandedTo(smallest));
}

void TForm1::PlaceOnScreen(const WindowMemory& memory) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) {
        return;
    }
    if (!memory.geometry) {
        FitInto(primary->availableGeometry());
        move(CentredIn(primary->geometry(), size()));
        return;
    }
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas << screen->availableGeometry();
    }
    const QRect place = BroughtOnScreen(*memory.geometry, areas);
    const QScreen* screen = QGuiApplication::screenAt(place.center());
    FitInto((screen ? screen : primary)->availableGeometry());
    setGeometry(place);
    if (memory.maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TForm1::RememberWindowState() const {
    RememberWindow({normalGeometry(), isMaximized(), split_->lowerShare(), document_->language()});
}

}  // namespace lumera::app
