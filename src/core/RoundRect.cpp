#include "core/RoundRect.h"

#include <algorithm>
#include <cmath>

namespace cfx {

std::vector<QRect> roundRectBands(int width, int height, int ellipseWidth, int ellipseHeight) {
    std::vector<QRect> bands;
    if (width <= 0 || height <= 0)
        return bands;
    // An ellipse larger than the rectangle is cut down to it, as the window system does.
    const double rx = std::min(ellipseWidth, width) / 2.0;
    const double ry = std::min(ellipseHeight, height) / 2.0;

    auto insetOfRow = [&](int y) {
        if (rx <= 0 || ry <= 0)
            return 0;
        const double centre = y + 0.5;
        // Distance from the row's centre into the corner band, measured from the ellipse centre.
        double dy = 0;
        if (centre < ry)
            dy = ry - centre;
        else if (centre > height - ry)
            dy = centre - (height - ry);
        if (dy <= 0)
            return 0;
        const double t = dy / ry;
        const double dx = rx * std::sqrt(std::max(0.0, 1.0 - t * t));
        // First column whose centre lies inside the ellipse.
        return static_cast<int>(std::ceil(rx - dx - 0.5));
    };

    int bandTop = 0;
    int bandInset = insetOfRow(0);
    for (int y = 1; y <= height; ++y) {
        const int inset = y < height ? insetOfRow(y) : -1;
        if (inset == bandInset)
            continue;
        if (width - 2 * bandInset > 0)
            bands.emplace_back(bandInset, bandTop, width - 2 * bandInset, y - bandTop);
        bandTop = y;
        bandInset = inset;
    }
    return bands;
}

} // namespace cfx
