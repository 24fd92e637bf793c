#pragma once

#include <QPoint>
#include <QRect>

namespace cfx {

// Where a window whose outer frame (title bar and borders included) would be `frame` goes so that
// it lies inside `area`, the part of the screen windows may use, and does not cover `keepClear`
// (the main panel's options button). A window that fits where it is stays there; one that does
// not is moved as little as it takes. A window larger than the area keeps its top-left corner,
// and with it its title bar, on the screen. Returns the frame's new top-left corner.
QPoint placeWindow(const QRect& frame, const QRect& area, const QRect& keepClear = QRect());

} // namespace cfx
