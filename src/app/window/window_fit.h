#pragma once

#include <QRect>
#include <QSize>

namespace lumera::app {

// Room a window manager's frame and title bar take around the window, in logical pixels.
inline constexpr int kFrameWidthAllowance = 8;
inline constexpr int kFrameHeightAllowance = 40;

// The room a window has on a screen whose free area is `available`, its frame taken off.
QSize RoomWithin(const QRect& available);

// The size of a window that shows `content` (fixed size) within `room`: the content itself
// when it fits; otherwise as much as fits, with `scrollBarExtent` added for each scroll bar
// that the cut-off content then needs.
QSize FittedWindowSize(QSize content, QSize room, int scrollBarExtent);

}  // namespace lumera::app
