#include "core/RoundRect.h"

#include <gtest/gtest.h>

using namespace cfx;

namespace {
bool covers(const std::vector<QRect>& bands, int x, int y) {
    for (const QRect& r : bands)
        if (r.contains(x, y))
            return true;
    return false;
}

long long area(const std::vector<QRect>& bands) {
    long long a = 0;
    for (const QRect& r : bands)
        a += static_cast<long long>(r.width()) * r.height();
    return a;
}
} // namespace

TEST(RoundRect, CornersAreCutAndTheRestIsFilled) {
    const int w = 253, h = 65;
    const auto bands = roundRectBands(w, h, 15, 15);
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {1, 1}})
        EXPECT_FALSE(covers(bands, x, y)) << x << "," << y;
    // Edges away from the corners and the middle are inside; nothing beyond the rectangle.
    for (auto [x, y] : {std::pair{7, 0},
                        {w / 2, 0},
                        {0, h / 2},
                        {w - 1, h / 2},
                        {w / 2, h - 1},
                        {7, 7},
                        {w - 8, h - 8}})
        EXPECT_TRUE(covers(bands, x, y)) << x << "," << y;
    EXPECT_FALSE(covers(bands, w, h / 2));
    EXPECT_FALSE(covers(bands, w / 2, h));
    // Four quarter-ellipse corners of radius 7.5 remove about (1 - pi/4) * 15 * 15 pixels.
    const long long removed = static_cast<long long>(w) * h - area(bands);
    EXPECT_GT(removed, 35);
    EXPECT_LT(removed, 60);
}

TEST(RoundRect, OutlineIsSymmetricAndBandsDoNotOverlap) {
    const int w = 198, h = 65;
    const auto bands = roundRectBands(w, h, 15, 15);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(covers(bands, x, y), covers(bands, w - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(covers(bands, x, y), covers(bands, x, h - 1 - y)) << x << "," << y;
        }
    int rows = 0;
    for (const QRect& r : bands)
        rows += r.height();
    EXPECT_EQ(rows, h);
}

TEST(RoundRect, DegenerateSizes) {
    EXPECT_TRUE(roundRectBands(0, 10, 15, 15).empty());
    EXPECT_TRUE(roundRectBands(10, -1, 15, 15).empty());
    // No ellipse: the plain rectangle.
    const auto plain = roundRectBands(20, 10, 0, 0);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain.front(), QRect(0, 0, 20, 10));
    // A window smaller than the corner ellipse still keeps its middle.
    const auto tiny = roundRectBands(6, 6, 15, 15);
    EXPECT_TRUE(covers(tiny, 3, 3));
    EXPECT_FALSE(covers(tiny, 0, 0));
}
