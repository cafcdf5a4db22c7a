#include "app/window/window_split.h"

#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "app/qt/window_style.h"

namespace lumera::app {

PlacingWidget::PlacingWidget(Place place, QWidget* parent)
    : QWidget(parent), place_(std::move(place)) {}

void PlacingWidget::resizeEvent(QResizeEvent* event) {
    place_(event->size());
    QWidget::resizeEvent(event);
}

WindowSplit::WindowSplit(QWidget* parent) : QSplitter(Qt::Vertical, parent) {
    setObjectName(QStringLiteral("WindowSplit"));
    setHandleWidth(kSplitBarHeight);
    setChildrenCollapsible(false);
    connect(this, &QSplitter::splitterMoved, this, &WindowSplit::FollowBar);
}

void WindowSplit::setLowerShare(double share) {
    lowerShare_ = std::clamp(share, 0.0, 1.0);
    ApplyShare();
}

void WindowSplit::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    ApplyShare();
}

int WindowSplit::SpareHeight() const {
    return std::max(
        0, height() - handleWidth() - widget(0)->minimumHeight() - widget(1)->minimumHeight());
}

void WindowSplit::ApplyShare() {
    const int lower =
        widget(1)->minimumHeight() + static_cast<int>(std::lround(SpareHeight() * lowerShare_));
    setSizes({height() - handleWidth() - lower, lower});
}

void WindowSplit::FollowBar() {
    if (const int spare = SpareHeight(); spare > 0) {
        lowerShare_ = double(widget(1)->height() - widget(1)->minimumHeight()) / spare;
    }
}

}  // namespace lumera::app
