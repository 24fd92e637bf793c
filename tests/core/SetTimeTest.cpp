#include "core/SetTime.h"

#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace cfx;

namespace {

using cfx::SetTimeModel;
using cfx::SetTimeValues;

// Records what the clock tells of Apply, in order: a reset, then the custom time applied.
struct ClockSignals {
    explicit ClockSignals(Stopwatch& clock) {
        QObject::connect(&clock, &Stopwatch::resetDone, [this] { calls << "reset"; });
        QObject::connect(&clock, &Stopwatch::customTimeApplied, [this, &clock] {
            calls << (clock.customTimePending() ? "applied" : "applied:zero");
        });
    }
    QStringList calls;
};

struct SetTimeFixture : ::testing::Test {
    SetTimeFixture() { clock.setDisplay(&display); }
    FakeClock time;
    NullDisplay display;
    Stopwatch clock{time};
    ClockSignals signals{clock};
    SetTimeModel model;
};

TEST_F(SetTimeFixture, WorkedExampleSetsBaseDigitsTextsAndFlags) {
    clock.setResolution("10");
    const auto digits = model.apply(clock, display, {1, 2, 3, 5});

    const std::array<int, 8> expected{0, 1, 0, 2, 0, 3, 0, 5};
    EXPECT_EQ(digits, expected);
    EXPECT_EQ(display.ledValues(), expected);
    EXPECT_FALSE(display.idle());
    EXPECT_EQ(clock.baseCs(), 372350);
    EXPECT_EQ(clock.customTime(), (CustomTime{1, 2, 3, 50}));
    EXPECT_EQ(clock.hourText(), "01");
    EXPECT_EQ(clock.minuteText(), "02");
    EXPECT_EQ(clock.secondText(), "03");
    EXPECT_EQ(clock.subSecText(), "05");
    // The panel shows the time at once, in centiseconds as always.
    EXPECT_EQ(clock.panelText(), "01:02:03.50");
    EXPECT_TRUE(clock.customTimePending());
    EXPECT_TRUE(clock.pruneOnSnap());
    EXPECT_TRUE(clock.customTimeShown());
    EXPECT_EQ(signals.calls, QStringList({"applied"}));
}

TEST_F(SetTimeFixture, AllZeroResetsInsteadAndLeavesSnapDisabled) {
    clock.setBaseCs(1000);
    display.setLedValues({1, 2, 3, 4, 5, 6, 7, 8});
    model.apply(clock, display, {0, 0, 0, 0});

    EXPECT_EQ(signals.calls, QStringList({"reset", "applied:zero"}));
    EXPECT_FALSE(clock.customTimePending());
    EXPECT_EQ(display.ledValues(), (std::array<int, 8>{}));
    EXPECT_FALSE(display.idle());
    EXPECT_EQ(clock.baseCs(), 0);
    // The set-time fields are written after the reset, so they stand afterwards.
    EXPECT_TRUE(clock.customTimeShown());
    EXPECT_EQ(clock.hourText(), "00");
    EXPECT_EQ(clock.subSecText(), "00");
}

TEST_F(SetTimeFixture, OnlyASubSecondCountStillPresetsTheClock) {
    model.apply(clock, display, {0, 0, 0, 3});
    EXPECT_FALSE(signals.calls.contains("reset"));
    EXPECT_EQ(clock.baseCs(), 30);
    EXPECT_EQ(signals.calls, QStringList({"applied"}));
    EXPECT_EQ(display.ledValues(), (std::array<int, 8>{0, 0, 0, 0, 0, 0, 0, 3}));
}

TEST(SetTimeSubSecond, CountsBecomeCentisecondsAtEveryResolution) {
    EXPECT_EQ(SetTimeModel::subSecCs(7, 10), 70);
    EXPECT_EQ(SetTimeModel::subSecCs(17, 30), 56); // 56.67 truncated
    EXPECT_EQ(SetTimeModel::subSecCs(0, 1), 0);
    EXPECT_EQ(SetTimeModel::subSecCs(249, 250), 99);
    EXPECT_EQ(SetTimeModel::subSecCs(5, 0), 0);
    // At 100 events per second the count is the centiseconds; a floating-point quotient would
    // lose one on counts such as 57 (0.57 * 100 < 57).
    for (int count = 0; count < 100; ++count) {
        EXPECT_EQ(SetTimeModel::subSecCs(count, 100), count) << count;
    }
}

TEST_F(SetTimeFixture, ResolutionAboveHundredKeepsTwoDigitFields) {
    clock.setResolution("250");
    model.apply(clock, display, {0, 0, 1, 249});
    EXPECT_EQ(clock.subSecText(), "24");
    EXPECT_EQ(clock.customTime().subSecCs, 99);
    EXPECT_EQ(clock.baseCs(), 199);
    EXPECT_EQ(display.ledValues()[6], 2);
    EXPECT_EQ(display.ledValues()[7], 4);
}

TEST_F(SetTimeFixture, HighestTimeAndOutOfRangeValuesStayBelowRollOver) {
    clock.setResolution("100");
    model.apply(clock, display, {99, 59, 59, 99});
    EXPECT_EQ(clock.baseCs(), 35'999'999);

    clock.setResolution("10");
    model.apply(clock, display, {150, 75, -3, 42});
    EXPECT_EQ(clock.baseCs(), 99 * 360000 + 59 * 6000 + 0 + 90);
    EXPECT_EQ(clock.hourText(), "99");
    EXPECT_EQ(clock.secondText(), "00");
    EXPECT_EQ(clock.subSecText(), "09");
}

TEST_F(SetTimeFixture, PresetsFollowTheLastApply) {
    EXPECT_EQ(model.preset(clock), (SetTimeValues{0, 1, 0, 0}));

    model.apply(clock, display, {1, 2, 3, 5});
    EXPECT_EQ(model.preset(clock), (SetTimeValues{1, 2, 3, 0}));

    model.apply(clock, display, {0, 0, 0, 4});
    EXPECT_EQ(model.preset(clock), (SetTimeValues{0, 0, 0, 0}));

    // An all-zero Apply leaves every digit 0, so the next opening starts from 00:01:00 again.
    model.apply(clock, display, {0, 0, 0, 0});
    EXPECT_EQ(model.preset(clock), (SetTimeValues{0, 1, 0, 0}));
}

} // namespace

// The whole path of a custom time: readings up to a stop, the clock set back, a new start and a
// snap that replaces every reading at or after its time.
#include "core/Session.h"
#include "core/Snapshot.h"

namespace {

struct PruneRig {
    FakeClock time;
    NullDisplay display;
    Stopwatch clock{time};
    Session readings;
    SetTimeModel setTime;

    PruneRig() { clock.setDisplay(&display); }
    void runTo(qint32 cs) {
        do {
            time.advance(10);
            clock.tick();
        } while (clock.currentCs() < cs);
    }
    void snap() { cfx::takeSnap(clock, readings, display, {}); }
    QStringList times() const {
        QStringList t;
        for (int n = 1; n <= readings.recordCount(); ++n) {
            t << readings.text(n, static_cast<ReadingColumn>(1));
        }
        return t;
    }
};

TEST(SetTimeFlow, SnapAfterSettingTheClockBackPrunesLaterReadings) {
    PruneRig r;
    r.clock.start();
    r.runTo(300);
    r.snap();
    r.runTo(800);
    r.snap();
    r.runTo(1000);
    r.clock.stop();
    r.snap(); // the stopped reading at 10.00 s
    ASSERT_EQ(r.times(), QStringList({"00:00:03.00", "00:00:08.00", "S00:00:10.00"}));

    r.setTime.apply(r.clock, r.display, {0, 0, 5, 0});
    EXPECT_EQ(r.clock.baseCs(), 500);
    r.clock.start();
    r.runTo(600);
    EXPECT_EQ(r.clock.currentCs(), 600);
    r.snap();

    EXPECT_EQ(r.times(), QStringList({"00:00:03.00", "00:00:06.00"}));
    EXPECT_EQ(r.readings.timeCs(2), 600);
    EXPECT_FALSE(r.clock.pruneOnSnap());

    // Only the first snap after the set time prunes.
    r.runTo(700);
    r.snap();
    EXPECT_EQ(r.times(), QStringList({"00:00:03.00", "00:00:06.00", "00:00:07.00"}));
}

TEST(SetTimeFlow, SnapBeforeStartingRecordsTheSetTimeOnce) {
    PruneRig r;
    r.clock.start();
    r.runTo(900);
    r.snap();
    r.clock.stop();
    r.setTime.apply(r.clock, r.display, {0, 0, 4, 5});
    r.snap();
    EXPECT_EQ(r.times(), QStringList({"S00:00:04.05"}));
    EXPECT_EQ(r.readings.timeCs(1), 450);
    EXPECT_EQ(r.clock.panelState(), PanelState::StoppedSnapped);
}

} // namespace
