#include "core/SevenSegment.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace cfx;

namespace {
// The digit drawn as text, three rows of three characters, from a segment mask.
std::string ascii(std::uint8_t m) {
    auto on = [&](int s, char c) { return segmentLit(m, s) ? c : ' '; };
    std::string r;
    r += ' ';
    r += on(SegA, '_');
    r += " \n";
    r += on(SegF, '|');
    r += on(SegG, '_');
    r += on(SegB, '|');
    r += '\n';
    r += on(SegE, '|');
    r += on(SegD, '_');
    r += on(SegC, '|');
    return r;
}
} // namespace

TEST(SevenSegment, DigitsLookLikeTheirNumbers) {
    EXPECT_EQ(ascii(segmentMask(0)), " _ \n| |\n|_|");
    EXPECT_EQ(ascii(segmentMask(1)), "   \n  |\n  |");
    EXPECT_EQ(ascii(segmentMask(2)), " _ \n _|\n|_ ");
    EXPECT_EQ(ascii(segmentMask(3)), " _ \n _|\n _|");
    EXPECT_EQ(ascii(segmentMask(4)), "   \n|_|\n  |");
    EXPECT_EQ(ascii(segmentMask(5)), " _ \n|_ \n _|");
    EXPECT_EQ(ascii(segmentMask(6)), " _ \n|_ \n|_|");
    EXPECT_EQ(ascii(segmentMask(7)), " _ \n  |\n  |");
    EXPECT_EQ(ascii(segmentMask(8)), " _ \n|_|\n|_|");
    EXPECT_EQ(ascii(segmentMask(9)), " _ \n|_|\n _|");
}

TEST(SevenSegment, IdleDashIsDistinctFromEveryDigitAndOutOfRangeIsBlank) {
    std::set<int> masks;
    for (int d = 0; d <= 9; ++d)
        masks.insert(segmentMask(d));
    EXPECT_EQ(masks.size(), 10u);
    EXPECT_EQ(masks.count(idleSegmentMask()), 0u);
    EXPECT_EQ(ascii(idleSegmentMask()), "   \n _ \n   ");
    EXPECT_EQ(segmentMask(-1), 0);
    EXPECT_EQ(segmentMask(10), 0);
}
