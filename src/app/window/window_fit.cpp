#include "app/window/window_fit.h"

#include <algorithm>

namespace lumera::app {

QSize RoomWithin(const QRect& available) {
    return available.size() - QSize(kFrameWidthAllowance, kFrameHeightAllowance);
}

QSize FittedWindowSize(QSize content, QSize room, int scrollBarExtent) {
    bool vertical = false;
    bool horizontal = false;
    // A scroll bar in one direction takes room from the other, which may need a bar then.
    for (int pass = 0; pass < 2; ++pass) {
        vertical = content.height() + (horizontal ? scrollBarExtent : 0) > room.height();
        horizontal = content.width() + (vertical ? scrollBarExtent : 0) > room.width();
    }
    return QSize(std::min(content.width() + (vertical ? scrollBarExtent : 0), room.width()),
                 std::min(content.height() + (horizontal ? scrollBarExtent : 0), room.height()));
}

}  // namespace lumera::app
