#include "core/GapStatistics.h"

#include "core/ReadingsModel.h"
#include "core/TimeFormat.h"

#include <gtest/gtest.h>

#include <memory>

using namespace cfx;

namespace {

std::unique_ptr<ReadingsModel> withReadings(std::initializer_list<qint32> times) {
    auto owner = std::make_unique<ReadingsModel>();
    ReadingsModel& m = *owner;
    for (qint32 cs : times) {
        const cfx::TimeFields f = cfx::timeFields(cs);
        m.appendReading(cs, false, f.centi, false,
                        cfx::readingTimeText(f.hour, f.minute, f.second, f.centi, false));
    }
    return owner;
}

TEST(GapStatistics, ThreeReadingsGiveGapsAndTheThreeFigures) {
    auto mOwner = withReadings({100, 350, 400});
    ReadingsModel& m = *mOwner;
    const cfx::GapStatistics s = computeGapStatistics(m, 100);
    EXPECT_EQ(m.gaps().rows(), 4);
    EXPECT_EQ(m.gaps().textMatrix(1, 1), ""); // record 1's gap is its own time, not written
    EXPECT_EQ(m.gaps().textMatrix(2, 1), "250");
    EXPECT_EQ(m.gaps().textMatrix(3, 1), "50");
    EXPECT_EQ(m.gaps().textMatrix(2, 0), "00:00:02.50");
    EXPECT_EQ(s.average, "00:00:01.33");
    EXPECT_EQ(s.longest, "00:00:02.50");
    EXPECT_EQ(s.shortest, "00:00:00.50");
    EXPECT_EQ(m.averageGap(), s.average);
    EXPECT_EQ(m.longestGap(), s.longest);
}

TEST(GapStatistics, AnExcludedRecordDropsOnlyItsOwnGap) {
    auto mOwner = withReadings({100, 350, 400});
    ReadingsModel& m = *mOwner;
    m.exclude(2);
    const cfx::GapStatistics s = computeGapStatistics(m, 100);
    EXPECT_EQ(m.gaps().textMatrix(3, 1), "50"); // still measured from record 2
    EXPECT_EQ(s.average, "00:00:00.75");
    EXPECT_EQ(s.longest, "00:00:01.00");
    EXPECT_EQ(s.shortest, "00:00:00.50");
}

TEST(GapStatistics, FirstTwoExcludedNeverGiveAShortestOfZero) {
    auto mOwner = withReadings({100, 200, 500, 700});
    ReadingsModel& m = *mOwner;
    m.exclude(1);
    m.exclude(2);
    const cfx::GapStatistics s = computeGapStatistics(m, 100);
    EXPECT_EQ(s.shortest, "00:00:02.00");
    EXPECT_EQ(s.longest, "00:00:03.00");
    EXPECT_EQ(s.average, "00:00:02.50");
    // The same with the later gaps the other way round.
    auto nOwner = withReadings({100, 200, 400, 700});
    ReadingsModel& n = *nOwner;
    n.exclude(1);
    n.exclude(2);
    EXPECT_EQ(computeGapStatistics(n, 100).shortest, "00:00:02.00");
}

TEST(GapStatistics, TheTwoExclusionTestsDiffer) {
    // "1.0": not the text "1", so it counts in the average, but its value is 1, so the
    // longest/shortest searches leave it out.
    auto mOwner = withReadings({100, 1100, 1150});
    ReadingsModel& m = *mOwner;
    m.reference().setTextMatrix(2, 2, "1.0");
    const cfx::GapStatistics s = computeGapStatistics(m, 100);
    EXPECT_EQ(s.average, cfx::formatCs(383, 100)); // (100 + 1000 + 50) / 3
    EXPECT_EQ(s.longest, "00:00:01.00");
    // " 1 " trimmed is "1": out of the average too.
    m.reference().setTextMatrix(2, 2, " 1 ");
    EXPECT_EQ(computeGapStatistics(m, 100).average, "00:00:00.75");
}

TEST(GapStatistics, AverageRoundsHalfToEven) {
    auto mOwner = withReadings({2, 5});
    ReadingsModel& m = *mOwner;
    EXPECT_EQ(computeGapStatistics(m, 100).average, "00:00:00.02"); // 5 / 2 = 2.5 -> 2
    auto nOwner = withReadings({3, 7});
    ReadingsModel& n = *nOwner;
    EXPECT_EQ(computeGapStatistics(n, 100).average, "00:00:00.04"); // 7 / 2 = 3.5 -> 4
}

TEST(GapStatistics, SingleRecord) {
    ReadingsModel m;
    m.appendReading(520, true, "20", false, "00:00:05.20");
    cfx::GapStatistics s = computeGapStatistics(m, 100);
    EXPECT_EQ(s.average, "00:00:05.20");
    EXPECT_EQ(s.longest, "00:00:05.20"); // the time text without its S
    EXPECT_EQ(s.shortest, "00:00:05.20");
    m.exclude(1);
    s = computeGapStatistics(m, 100);
    EXPECT_EQ(s.average, "Not Applicable");
    EXPECT_EQ(s.longest, "Not Applicable");
    EXPECT_EQ(s.shortest, "Not Applicable");
}

TEST(GapStatistics, LongSessionsDoNotOverflowTheSum) {
    // Three gaps near 2^31 / 2 cs each: their 32-bit sum would wrap.
    auto mOwner = withReadings({1'000'000'000, 2'000'000'000, 2'100'000'000});
    ReadingsModel& m = *mOwner;
    EXPECT_EQ(computeGapStatistics(m, 100).average, cfx::formatCs(700'000'000, 100));
}

} // namespace
