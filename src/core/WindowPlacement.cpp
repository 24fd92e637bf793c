#include "core/WindowPlacement.h"

#include <algorithm>
#include <array>
#include <limits>

namespace cfx {

namespace {

// The window's top-left corner moved so that it lies inside the area, its top-left corner first.
QPoint inside(QPoint topLeft, const QSize& size, const QRect& area) {
    const int x = std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - size.height()));
    return {x, y};
}

} // namespace

QPoint placeWindow(const QRect& frame, const QRect& area, const QRect& keepClear) {
    const QSize size = frame.size();
    const QPoint start = inside(frame.topLeft(), size, area);
    if (keepClear.isEmpty() || !QRect(start, size).intersects(keepClear))
        return start;

    // Beside the rectangle to keep clear: right of it, below, left, above.
    const std::array<QPoint, 4> tries = {QPoint(keepClear.right() + 1, start.y()),
                                         QPoint(start.x(), keepClear.bottom() + 1),
                                         QPoint(keepClear.left() - size.width(), start.y()),
                                         QPoint(start.x(), keepClear.top() - size.height())};
    QPoint best = start;
    int bestDistance = std::numeric_limits<int>::max();
    for (const QPoint& candidate : tries) {
        const QPoint p = inside(candidate, size, area);
        if (QRect(p, size).intersects(keepClear))
            continue;
        const int distance = (p - start).manhattanLength();
        if (distance < bestDistance) {
            best = p;
            bestDistance = distance;
        }
    }
    if (bestDistance != std::numeric_limits<int>::max())
        return best;
    // Too large to stay clear inside the area: below the rectangle, running off the bottom
    // rather than covering it, while its title bar can still be reached.
    if (keepClear.bottom() + 1 < area.bottom())
        return {start.x(), keepClear.bottom() + 1};
    return start;
}

} // namespace cfx
