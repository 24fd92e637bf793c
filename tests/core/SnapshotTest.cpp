#include "core/Snapshot.h"

#include "tests/support/FakeClock.h"

#include "core/DisplaySink.h"
#include "core/NumberText.h"
#include "core/Session.h"

#include <gtest/gtest.h>

using namespace cfx;

namespace {

// A running clock whose last tick showed the given centisecond count.
class SnapFixture : public ::testing::Test {
protected:
    SnapFixture() {
        QObject::connect(&clock, &Stopwatch::standingReadingTaken, [this] { ++disabled; });
    }
    void tick(qint32 cs) {
        clock.stop();
        clock.setBaseCs(cs);
        clock.start();
        clock.tick();
    }
    cfx::SnapResult snap() { return cfx::takeSnap(clock, readings, display, hooks); }

    FakeClock time;
    Stopwatch clock{time};
    Session readings;
    NullDisplay display;
    int disabled = 0;
    int sounds = 0;
    int restored = 0;
    bool flashOn = false;
    QDateTime now{QDate(2026, 3, 4), QTime(5, 6, 7)};
    cfx::SnapHooks hooks{[this] { return flashOn; }, [this] { ++sounds; }, [this] { ++restored; },
                         [this] { return now; }, nullptr};
};

TEST_F(SnapFixture, RunningSnapRecordsTheLastTickAtTheResolution) {
    tick(6257);
    EXPECT_TRUE(snap().appended);
    ASSERT_EQ(readings.recordCount(), 1);
    EXPECT_EQ(readings.text(1, static_cast<ReadingColumn>(1)), "00:01:02.05");
    EXPECT_EQ(readings.reading(1).tag, "57");
    EXPECT_EQ(readings.timeCs(1), 6257);
    EXPECT_EQ(readings.text(1, static_cast<ReadingColumn>(2)), cfx::formatFixed(100));
    EXPECT_EQ(clock.panelState(), PanelState::Running);
    EXPECT_EQ(disabled, 0);
}

TEST_F(SnapFixture, StopThenTwoSnapsGiveOneMarkedReadingAndDisableSnap) {
    tick(300);
    snap();
    tick(520);
    clock.stop(); // stopped at 5.20 s (resolution 10 shows .02)
    snap();
    EXPECT_EQ(clock.panelState(), PanelState::StoppedSnapped);
    EXPECT_EQ(disabled, 1);
    const cfx::SnapResult second = snap();
    EXPECT_FALSE(second.appended);
    ASSERT_EQ(readings.recordCount(), 2);
    EXPECT_EQ(readings.text(2, static_cast<ReadingColumn>(1)), "S00:00:05.02");
    EXPECT_TRUE(readings.reading(2).stoodStill);
    // The refresh still runs on the empty snap.
}

TEST_F(SnapFixture, TheFirstSnapAfterAResetStampsTheSession) {
    tick(100);
    snap();
    const QString stamp = cfx::generalDate(now);
    EXPECT_EQ(readings.sessionStamp(), stamp);
    EXPECT_FALSE(readings.stampPending());
    now = now.addSecs(60);
    tick(200);
    snap();
    EXPECT_EQ(readings.sessionStamp(), stamp);
    readings.clearReportForReset(); // what a reset does to the readings
    tick(300);
    snap();
    EXPECT_EQ(readings.sessionStamp(), cfx::generalDate(now));
}

TEST_F(SnapFixture, CustomTimeSnapPrunesAndIsMarked) {
    for (qint32 cs : {200, 600, 800}) {
        tick(cs);
        snap();
    }
    // Stopped, then the set-time dialog applied 6.25 s and wrote the fields.
    clock.stop();
    clock.applyCustomTime({0, 0, 6, 25}, {"00", "00", "06", "02"});
    EXPECT_EQ(clock.baseCs(), 625);
    snap();
    // 8.00 s lies after the custom time and is replaced; 2.00 and 6.00 s stay.
    ASSERT_EQ(readings.recordCount(), 3);
    EXPECT_EQ(readings.timeCs(2), 600);
    EXPECT_EQ(readings.text(3, static_cast<ReadingColumn>(1)), "S00:00:06.02");
    EXPECT_EQ(readings.reading(3).tag, "25");
    EXPECT_EQ(readings.timeCs(3), 625);
    EXPECT_FALSE(clock.customTimePending());
    EXPECT_EQ(clock.panelState(), PanelState::StoppedSnapped);
    EXPECT_EQ(disabled, 1);
}

TEST_F(SnapFixture, PruneOnSnapAppliesOnceToARunningSnap) {
    for (qint32 cs : {200, 600, 1000}) {
        tick(cs);
        snap();
    }
    // A custom time set and then started: the first running snap prunes.
    clock.stop();
    clock.applyCustomTime({0, 0, 5, 0}, {"00", "00", "05", "00"});
    tick(600);
    snap();
    EXPECT_EQ(readings.recordCount(), 2);
    EXPECT_FALSE(clock.pruneOnSnap());
    tick(100);
    snap(); // no pruning any more
    EXPECT_EQ(readings.recordCount(), 3);
}

TEST_F(SnapFixture, FlashAndSoundOnlyWhenSwitchedOn) {
    tick(100);
    snap();
    EXPECT_EQ(sounds, 0);
    EXPECT_EQ(restored, 0);
    EXPECT_EQ(display.background(), DisplaySink::kLightGrey);
    flashOn = true;
    hooks.endFlash = [this] {
        // The flash is on when the restore runs, after the reading is in the report.
        EXPECT_EQ(display.background(), DisplaySink::kWhite);
        EXPECT_EQ(readings.recordCount(), 2);
        ++restored;
    };
    tick(200);
    snap();
    EXPECT_EQ(sounds, 1);
    EXPECT_EQ(restored, 1);
}

TEST_F(SnapFixture, AFullReportRefusesTheReadingAndSaysSo) {
    int full = 0;
    hooks.reportFull = [&full] { ++full; };
    for (int i = 0; i < Session::kMaxRecords; ++i)
        readings.appendReading(i, false, "00", false, "t");
    tick(Session::kMaxRecords + 5);
    const cfx::SnapResult r = snap();
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(full, 1);
    EXPECT_EQ(readings.recordCount(), Session::kMaxRecords);
}

} // namespace
