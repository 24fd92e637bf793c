#include "core/Snapshot.h"

#include "core/DisplaySink.h"
#include "core/NumberText.h"
#include "core/ProgramState.h"
#include "core/ReadingsModel.h"
#include "core/TimeFormat.h"

#include <gtest/gtest.h>

using namespace cfx;

namespace {

// A clock frozen at a given centisecond count: sets the fields a tick would have written.
class SnapFixture : public ::testing::Test {
protected:
    void tick(qint32 cs) {
        const cfx::TimeFields f = cfx::timeFields(cs);
        state.HourText = f.hour;
        state.MinuteText = f.minute;
        state.SecondText = f.second;
        state.SubSecText = cfx::subSecText(cs % 100, state.EventsPerSec);
        clock.currentCs = cs;
        clock.centiText = f.centi;
    }
    cfx::SnapResult snap() { return cfx::TakeSnap(state, clock, readings, display, hooks); }

    ProgramState state;
    cfx::SnapClock clock;
    ReadingsModel readings;
    NullDisplay display;
    int disabled = 0;
    int sounds = 0;
    int restored = 0;
    bool flashOn = false;
    QDateTime now{QDate(2026, 3, 4), QTime(5, 6, 7)};
    cfx::SnapHooks hooks{[this] { return flashOn; }, [this] { ++sounds; },   [this] { ++restored; },
                         [this] { ++disabled; },     [this] { return now; }, nullptr};
};

TEST_F(SnapFixture, RunningSnapRecordsTheLastTickAtTheResolution) {
    clock.panelState = 0;
    tick(6257);
    EXPECT_TRUE(snap().appended);
    ASSERT_EQ(readings.recordCount(), 1);
    EXPECT_EQ(readings.results().textMatrix(1, 1), "00:01:02.05");
    EXPECT_EQ(readings.reference().textMatrix(1, 0), "57");
    EXPECT_EQ(readings.reference().textMatrix(1, 1), "6257");
    EXPECT_EQ(readings.results().textMatrix(1, 2), cfx::formatFixed(100));
    EXPECT_EQ(clock.panelState, 0);
    EXPECT_EQ(disabled, 0);
}

TEST_F(SnapFixture, StopThenTwoSnapsGiveOneMarkedReadingAndDisableSnap) {
    clock.panelState = 0;
    tick(300);
    snap();
    clock.panelState = 1; // stopped at 5.20 s (resolution 10 shows .02)
    tick(520);
    snap();
    EXPECT_EQ(clock.panelState, 2);
    EXPECT_EQ(disabled, 1);
    const cfx::SnapResult second = snap();
    EXPECT_FALSE(second.appended);
    ASSERT_EQ(readings.recordCount(), 2);
    EXPECT_EQ(readings.results().textMatrix(2, 1), "S00:00:05.02");
    EXPECT_EQ(readings.results().backColorAt(2, 1), GridModel::kYellow);
    // The refresh still runs on the empty snap.
    EXPECT_EQ(readings.results().rowSel(), 2);
}

TEST_F(SnapFixture, TheFirstSnapAfterAResetStampsTheSession) {
    clock.panelState = 0;
    tick(100);
    snap();
    const QString stamp = cfx::generalDate(now);
    EXPECT_EQ(readings.sessionStamp(), stamp);
    EXPECT_FALSE(readings.stampPending());
    now = now.addSecs(60);
    tick(200);
    snap();
    EXPECT_EQ(readings.sessionStamp(), stamp);
    readings.ClearReportForReset(); // what a reset does to the readings
    tick(300);
    snap();
    EXPECT_EQ(readings.sessionStamp(), cfx::generalDate(now));
}

TEST_F(SnapFixture, CustomTimeSnapPrunesAndIsMarked) {
    clock.panelState = 0;
    for (qint32 cs : {200, 600, 800}) {
        tick(cs);
        snap();
    }
    // Stopped, then the set-time dialog applied 6.25 s and wrote the fields.
    clock.panelState = 1;
    state.TimeSetPending = 1;
    state.BaseCs = 625;
    state.SetSubSecCs = 25;
    state.HourText = "00";
    state.MinuteText = "00";
    state.SecondText = "06";
    state.SubSecText = "02";
    snap();
    // 8.00 s lies after the custom time and is replaced; 2.00 and 6.00 s stay.
    ASSERT_EQ(readings.recordCount(), 3);
    EXPECT_EQ(readings.reference().textMatrix(2, 1), "600");
    EXPECT_EQ(readings.results().textMatrix(3, 1), "S00:00:06.02");
    EXPECT_EQ(readings.reference().textMatrix(3, 0), "25");
    EXPECT_EQ(readings.reference().textMatrix(3, 1), "625");
    EXPECT_EQ(state.TimeSetPending, 0);
    EXPECT_EQ(clock.panelState, 2);
}

TEST_F(SnapFixture, PruneOnSnapAppliesOnceToARunningSnap) {
    clock.panelState = 0;
    for (qint32 cs : {200, 600, 1000}) {
        tick(cs);
        snap();
    }
    state.PruneOnSnap = 1;
    tick(600);
    snap();
    EXPECT_EQ(readings.recordCount(), 2);
    EXPECT_EQ(state.PruneOnSnap, 0);
    tick(100);
    snap(); // no pruning any more
    EXPECT_EQ(readings.recordCount(), 3);
}

TEST_F(SnapFixture, FlashAndSoundOnlyWhenSwitchedOn) {
    clock.panelState = 0;
    tick(100);
    snap();
    EXPECT_EQ(sounds, 0);
    EXPECT_EQ(restored, 0);
    EXPECT_EQ(display.background(), DisplaySink::kLightGrey);
    flashOn = true;
    hooks.snapfoto = [this] {
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
    for (int i = 0; i < ReadingsModel::kMaxRecords; ++i)
        readings.AppendReading(i, false, "00", false, "t");
    clock.panelState = 0;
    tick(ReadingsModel::kMaxRecords + 5);
    const cfx::SnapResult r = snap();
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(full, 1);
    EXPECT_EQ(readings.recordCount(), ReadingsModel::kMaxRecords);
}

} // namespace
