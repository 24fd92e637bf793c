#pragma once

#include <QRect>

#include <vector>

namespace cfx {

// The pixels of a rounded rectangle from (0, 0) to (width, height), right and bottom edges
// excluded, whose corners are quarters of an ellipse of ellipseWidth x ellipseHeight pixels.
// Returned as horizontal bands, top to bottom; a pixel belongs when its centre lies inside.
std::vector<QRect> roundRectBands(int width, int height, int ellipseWidth, int ellipseHeight);

} // namespace cfx
