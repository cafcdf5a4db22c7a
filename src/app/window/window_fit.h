#pragma once

#include <QList>
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

// The top left corner of a window of `size` centred in `area`.
QPoint CentredIn(const QRect& area, QSize size);

// Where a window saved at `saved` opens again on screens with the free areas `available`:
// where it was when one of them holds it whole; otherwise centred on the one it overlaps most
// (the first when it overlaps none), no larger than that one's room.
QRect BroughtOnScreen(const QRect& saved, const QList<QRect>& available);

}  // namespace lumera::app
