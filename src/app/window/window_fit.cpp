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

QPoint CentredIn(const QRect& area, QSize size) {
    return {area.x() + (area.width() - size.width()) / 2,
            area.y() + (area.height() - size.height()) / 2};
}

QRect BroughtOnScreen(const QRect& saved, const QList<QRect>& available) {
    if (available.isEmpty()) {
        return saved;
    }
    const QRect* best = &available.front();
    qint64 bestOverlap = -1;
    for (const QRect& area : available) {
        if (area.contains(saved)) {
            return saved;
        }
        const QRect overlap = area.intersected(saved);
        const qint64 shared = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
        if (shared > bestOverlap) {
            best = &area;
            bestOverlap = shared;
        }
    }
    const QSize size = saved.size().boundedTo(RoomWithin(*best));
    return {CentredIn(*best, size), size};
}

}  // namespace lumera::app
