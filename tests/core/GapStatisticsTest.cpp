#include "core/GapStatistics.h"

#include "core/Session.h"
#include "core/TimeFormat.h"

#include <gtest/gtest.h>

#include <memory>

using namespace cfx;

namespace {

std::unique_ptr<Session> withReadings(std::initializer_list<qint32> times) {
    auto owner = std::make_unique<Session>();
    Session& m = *owner;
    for (qint32 cs : times) {
        const cfx::TimeFields f = cfx::timeFields(cs);
        m.appendReading(cs, false, f.centi, false,
                        cfx::readingTimeText(f.hour, f.minute, f.second, f.centi, false));
    }
    return owner;
}

// The figures as the report files print them.
cfx::GapStatisticTexts texts(const Session& m) {
    return gapStatisticTexts(computeGapStatistics(m, 100), 100, cfx::kNotApplicable);
}

TEST(GapStatistics, ThreeReadingsGiveGapsAndTheThreeFigures) {
    auto mOwner = withReadings({100, 350, 400});
    Session& m = *mOwner;
    const cfx::GapStatistics v = computeGapStatistics(m, 100);
    const cfx::GapStatisticTexts s = texts(m);
    EXPECT_EQ(v.gapsCs, (QVector<qint32>{100, 250, 50}));
    EXPECT_EQ(gapText(m, 1, 100), "00:00:01.00"); // record 1's gap is its own time
    EXPECT_EQ(gapText(m, 2, 100), "00:00:02.50");
    EXPECT_EQ(s.average, "00:00:01.33");
    EXPECT_EQ(s.longest, "00:00:02.50");
    EXPECT_EQ(s.shortest, "00:00:00.50");
}

TEST(GapStatistics, AnExcludedRecordDropsOnlyItsOwnGap) {
    auto mOwner = withReadings({100, 350, 400});
    Session& m = *mOwner;
    m.exclude(2);
    const cfx::GapStatistics v = computeGapStatistics(m, 100);
    const cfx::GapStatisticTexts s = texts(m);
    EXPECT_EQ(v.gapsCs.value(2), 50); // still measured from record 2
    EXPECT_EQ(s.average, "00:00:00.75");
    EXPECT_EQ(s.longest, "00:00:01.00");
    EXPECT_EQ(s.shortest, "00:00:00.50");
}

TEST(GapStatistics, FirstTwoExcludedNeverGiveAShortestOfZero) {
    auto mOwner = withReadings({100, 200, 500, 700});
    Session& m = *mOwner;
    m.exclude(1);
    m.exclude(2);
    const cfx::GapStatisticTexts s = texts(m);
    EXPECT_EQ(s.shortest, "00:00:02.00");
    EXPECT_EQ(s.longest, "00:00:03.00");
    EXPECT_EQ(s.average, "00:00:02.50");
    // The same with the later gaps the other way round.
    auto nOwner = withReadings({100, 200, 400, 700});
    Session& n = *nOwner;
    n.exclude(1);
    n.exclude(2);
    EXPECT_EQ(texts(n).shortest, "00:00:02.00");
}

TEST(GapStatistics, GapsOfStoredFractionsAreRoundedOnce) {
    // Times a session file may hold: the gap is the difference of the stored numbers, rounded
    // once (100.2 -> 100), not the difference of two rounded times (201 - 100 = 101).
    Session m;
    m.addLoadedReading("1", "S00:00:01.00", "", "", "00", "100.4");
    m.addLoadedReading("2", "00:00:02.01", "", "", "01", "200.6");
    m.finishLoading();
    const cfx::GapStatistics v = computeGapStatistics(m, 100);
    const cfx::GapStatisticTexts s = texts(m);
    EXPECT_EQ(v.gapsCs, (QVector<qint32>{100, 100}));
    EXPECT_EQ(gapText(m, 1, 100), "00:00:01.00"); // the time text without its S
}

TEST(GapStatistics, AReadingWithoutATimeGivesANegativeGapWithItsSign) {
    // A truncated session file: the third reading lost its time.
    Session m;
    m.addLoadedReading("1", "00:00:00.10", "", "", "10", "10");
    m.addLoadedReading("2", "00:00:00.20", "", "", "20", "20");
    m.addLoadedReading("3", "00:00:00.30", "", "", "30", "");
    m.finishLoading();
    const cfx::GapStatisticTexts s = texts(m);
    EXPECT_EQ(gapText(m, 3, 100), "-00:00:00.20");
    EXPECT_EQ(s.shortest, "-00:00:00.20");
}

TEST(GapStatistics, MedianAndDeviationOfHandCheckedSets) {
    struct Case {
        std::initializer_list<qint32> times;
        int excluded; // record number, 0 for none
        const char* median;
        const char* deviation;
    };
    const Case cases[] = {
        {{100, 350, 400}, 0, "00:00:01.00", "00:00:01.04"}, // gaps 100 250 50: sd 104.08
        {{100, 200, 300, 400}, 0, "00:00:01.00", "00:00:00.00"},
        {{100, 200, 500, 700}, 1, "00:00:02.00", "00:00:01.00"}, // gaps 100 300 200 count
        {{10, 30, 60, 100}, 0, "00:00:00.25", "00:00:00.13"},    // middle two 20 and 30
        {{520}, 0, "00:00:05.20", "Not Applicable"},
        {{520}, 1, "Not Applicable", "Not Applicable"},
    };
    for (const Case& c : cases) {
        auto owner = withReadings(c.times);
        if (c.excluded)
            owner->exclude(c.excluded);
        const cfx::GapStatisticTexts s = texts(*owner);
        EXPECT_EQ(s.median, c.median) << *c.times.begin() << " " << c.times.size();
        EXPECT_EQ(s.deviation, c.deviation) << *c.times.begin() << " " << c.times.size();
    }
}

TEST(GapStatistics, AverageRoundsHalfToEven) {
    auto mOwner = withReadings({2, 5});
    Session& m = *mOwner;
    EXPECT_EQ(texts(m).average, "00:00:00.02"); // 5 / 2 = 2.5 -> 2
    auto nOwner = withReadings({3, 7});
    Session& n = *nOwner;
    EXPECT_EQ(texts(n).average, "00:00:00.04"); // 7 / 2 = 3.5 -> 4
}

TEST(GapStatistics, SingleRecord) {
    Session m;
    m.appendReading(520, true, "20", false, "00:00:05.20");
    cfx::GapStatisticTexts s = texts(m);
    EXPECT_EQ(s.average, "00:00:05.20");
    EXPECT_EQ(s.longest, "00:00:05.20"); // the time text without its S
    EXPECT_EQ(s.shortest, "00:00:05.20");
    m.exclude(1);
    s = texts(m);
    EXPECT_EQ(s.average, "Not Applicable");
    EXPECT_EQ(s.longest, "Not Applicable");
    EXPECT_EQ(s.shortest, "Not Applicable");
    // The core hands over no words: a figure without readings is empty, and the caller's word
    // for it (the window's translation) stands in every place.
    const cfx::GapStatistics v = computeGapStatistics(m, 100);
    EXPECT_FALSE(v.averageCs || v.longestCs || v.shortestCs || v.medianCs || v.deviationCs);
    const cfx::GapStatisticTexts german = gapStatisticTexts(v, 100, "Nicht anwendbar");
    for (const QString& t :
         {german.average, german.longest, german.shortest, german.median, german.deviation})
        EXPECT_EQ(t, "Nicht anwendbar");
}

TEST(GapStatistics, LongSessionsDoNotOverflowTheSum) {
    // Three gaps near 2^31 / 2 cs each: their 32-bit sum would wrap.
    auto mOwner = withReadings({1'000'000'000, 2'000'000'000, 2'100'000'000});
    Session& m = *mOwner;
    EXPECT_EQ(texts(m).average, cfx::formatCs(700'000'000, 100));
}

} // namespace
