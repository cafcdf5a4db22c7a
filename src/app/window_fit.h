#pragma once

#include <QSize>

namespace lumera::app {

// Room a window manager's frame and title bar take around the window, in logical pixels.
inline constexpr int kFrameWidthAllowance = 8;
inline constexpr int kFrameHeightAllowance = 40;

// The size of a window that shows `content` (fixed size) within `room`: the content itself
// when it fits; otherwise as much as fits, with `scrollBarExtent` added for each scroll bar
// that the cut-off content then needs.
QSize FittedWindowSize(QSize content, QSize room, int scrollBarExtent);

}  // namespace lumera::app
