#include "core/TimeFormat.h"

#include <gtest/gtest.h>

using namespace cfx;

TEST(TimeText, FieldsOfACentisecondCount) {
    const TimeFields f = timeFields(6257);
    EXPECT_EQ(panelTimeText(f), "00:01:02.57");
    EXPECT_EQ(panelTimeText(timeFields(0)), "00:00:00.00");
    EXPECT_EQ(panelTimeText(timeFields(35999999)), "99:59:59.99");
    EXPECT_EQ(timeFields(36000000).hour, "100");
}

TEST(TimeText, SubSecondRuleAtEveryKindOfResolution) {
    EXPECT_EQ(subSecText(57, 10), "05");
    EXPECT_EQ(subSecText(57, 100), "57");
    EXPECT_EQ(subSecText(57, 1), "00");
    EXPECT_EQ(subSecText(57, 30), "17");
    EXPECT_EQ(subSecText(99, 100), "99");
    EXPECT_EQ(subSecText(57, 250), "14"); // 142: first two digits
    EXPECT_EQ(subSecText(0, 250), "00");
}

TEST(TimeText, ReadingTextAndItsRerendering) {
    EXPECT_EQ(readingTimeText("00", "01", "02", "05", false), "00:01:02.05");
    EXPECT_EQ(readingTimeText("00", "00", "10", "00", true), "S00:00:10.00");
    EXPECT_EQ(rerenderReadingText("00:01:02.05", "57", 100), "00:01:02.57");
    EXPECT_EQ(rerenderReadingText("S00:00:10.00", "00", 100), "S00:00:10.00");
    EXPECT_EQ(rerenderReadingText("S00:00:10.3", "35", 10), "S00:00:10.03");
    EXPECT_EQ(rerenderReadingText("00:00:01.5", "5", 10), "00:00:01.00");
}

TEST(TimeText, FormatCsForGaps) {
    EXPECT_EQ(formatCs(12345, 100), "00:02:03.45");
    EXPECT_EQ(formatCs(12345, 10), "00:02:03.04");
    EXPECT_EQ(formatCs(360000, 100), "01:00:00.00");
    EXPECT_EQ(formatCs(36000000, 100), "100:00:00.00");
    EXPECT_EQ(formatCs(50, 1), "00:00:00.00");
    // A gap of readings out of time order: the magnitude with a minus sign.
    EXPECT_EQ(formatCs(-20, 100), "-00:00:00.20");
    EXPECT_EQ(formatCs(-360020, 10), "-01:00:00.02");
}

TEST(TimeText, DisplayDigitsFromTheFields) {
    const auto d = displayDigits(timeFields(372357), "05");
    EXPECT_EQ(d, (std::array<int, 8>{0, 1, 0, 2, 0, 3, 0, 5}));
}

TEST(TimeText, ResolutionOfAText) {
    EXPECT_EQ(eventsPerSecOf("10"), 10);
    EXPECT_EQ(eventsPerSecOf("250"), 250);
    EXPECT_EQ(eventsPerSecOf("2.5"), 2);
    EXPECT_EQ(eventsPerSecOf(""), 0);
    EXPECT_EQ(eventsPerSecOf("-5"), 0);
    EXPECT_EQ(eventsPerSecOf("99999"), 32767);
}
