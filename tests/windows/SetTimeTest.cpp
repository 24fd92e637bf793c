#include "core/SetTime.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace cfx;

namespace {

using cfx::SetTimeModel;
using cfx::SetTimeValues;

// Records what Apply asks of the panel; its Reset does to the state what the clock's reset does,
// so the order of Apply's steps around the reset shows in the result.
class FakePanel : public cfx::SetTimePanel {
public:
    FakePanel(ProgramState& state, NullDisplay& display) : m_state(state), m_display(display) {}

    void pressReset() override {
        calls << QStringLiteral("reset");
        m_state.BaseCs = 0;
        m_state.TimeWasSet = 0;
        m_state.TimeSetPending = 0;
        m_display.setLedValues({});
        snapEnabled = false;
        resetEnabled = false;
    }
    void setSnapEnabled(bool on) override {
        calls << QStringLiteral("snap:%1").arg(on);
        snapEnabled = on;
    }
    void setResetEnabled(bool on) override {
        calls << QStringLiteral("reset-button:%1").arg(on);
        resetEnabled = on;
    }

    QStringList calls;
    bool snapEnabled = false;
    bool resetEnabled = false;

private:
    ProgramState& m_state;
    NullDisplay& m_display;
};

struct SetTimeFixture : ::testing::Test {
    ProgramState state;
    NullDisplay display;
    FakePanel panel{state, display};
    SetTimeModel model;
};

TEST_F(SetTimeFixture, WorkedExampleSetsBaseDigitsTextsAndFlags) {
    state.EventsPerSec = 10;
    const auto digits = model.apply(state, display, panel, {1, 2, 3, 5});

    const std::array<int, 8> expected{0, 1, 0, 2, 0, 3, 0, 5};
    EXPECT_EQ(digits, expected);
    EXPECT_EQ(display.ledValues(), expected);
    EXPECT_FALSE(display.idle());
    EXPECT_EQ(state.BaseCs, 372350);
    EXPECT_EQ(state.SetSubSecCs, 50);
    EXPECT_EQ(state.HourText, "01");
    EXPECT_EQ(state.MinuteText, "02");
    EXPECT_EQ(state.SecondText, "03");
    EXPECT_EQ(state.SubSecText, "05");
    EXPECT_EQ(state.TimeSetPending, 1);
    EXPECT_EQ(state.PruneOnSnap, 1);
    EXPECT_EQ(state.TimeWasSet, 1);
    EXPECT_EQ(state.SetHours, 1);
    EXPECT_EQ(state.SetMinutes, 2);
    EXPECT_EQ(state.SetSeconds, 3);
    EXPECT_EQ(panel.calls, QStringList({"snap:1", "reset-button:1"}));
}

TEST_F(SetTimeFixture, AllZeroResetsInsteadAndLeavesSnapDisabled) {
    state.BaseCs = 1000;
    display.setLedValues({1, 2, 3, 4, 5, 6, 7, 8});
    model.apply(state, display, panel, {0, 0, 0, 0});

    EXPECT_EQ(panel.calls, QStringList({"reset", "snap:0"}));
    EXPECT_FALSE(panel.snapEnabled);
    EXPECT_FALSE(panel.resetEnabled);
    EXPECT_EQ(display.ledValues(), (std::array<int, 8>{}));
    EXPECT_FALSE(display.idle());
    EXPECT_EQ(state.BaseCs, 0);
    // The set-time fields are written after the reset, so they stand afterwards.
    EXPECT_EQ(state.TimeSetPending, 1);
    EXPECT_EQ(state.TimeWasSet, 1);
    EXPECT_EQ(state.HourText, "00");
    EXPECT_EQ(state.SubSecText, "00");
}

TEST_F(SetTimeFixture, OnlyASubSecondCountStillPresetsTheClock) {
    model.apply(state, display, panel, {0, 0, 0, 3});
    EXPECT_FALSE(panel.calls.contains("reset"));
    EXPECT_EQ(state.BaseCs, 30);
    EXPECT_TRUE(panel.snapEnabled);
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
    state.EventsPerSec = 250;
    model.apply(state, display, panel, {0, 0, 1, 249});
    EXPECT_EQ(state.SubSecText, "24");
    EXPECT_EQ(state.SetSubSecCs, 99);
    EXPECT_EQ(state.BaseCs, 199);
    EXPECT_EQ(display.ledValues()[6], 2);
    EXPECT_EQ(display.ledValues()[7], 4);
}

TEST_F(SetTimeFixture, HighestTimeAndOutOfRangeValuesStayBelowRollOver) {
    state.EventsPerSec = 100;
    model.apply(state, display, panel, {99, 59, 59, 99});
    EXPECT_EQ(state.BaseCs, 35'999'999);

    state.EventsPerSec = 10;
    model.apply(state, display, panel, {150, 75, -3, 42});
    EXPECT_EQ(state.BaseCs, 99 * 360000 + 59 * 6000 + 0 + 90);
    EXPECT_EQ(state.HourText, "99");
    EXPECT_EQ(state.SecondText, "00");
    EXPECT_EQ(state.SubSecText, "09");
}

TEST_F(SetTimeFixture, PresetsFollowTheLastApply) {
    EXPECT_EQ(model.preset(state), (SetTimeValues{0, 1, 0, 0}));

    model.apply(state, display, panel, {1, 2, 3, 5});
    EXPECT_EQ(model.preset(state), (SetTimeValues{1, 2, 3, 0}));

    model.apply(state, display, panel, {0, 0, 0, 4});
    EXPECT_EQ(model.preset(state), (SetTimeValues{0, 0, 0, 0}));

    // An all-zero Apply leaves every digit 0, so the next opening starts from 00:01:00 again.
    model.apply(state, display, panel, {0, 0, 0, 0});
    EXPECT_EQ(model.preset(state), (SetTimeValues{0, 1, 0, 0}));
}

} // namespace

// The whole path of a custom time: readings up to a stop, the clock set back, a new start and a
// snap that replaces every reading at or after its time.
#include "core/ReadingsModel.h"
#include "core/Snapshot.h"
#include "tests/timing/FakeClock.h"

namespace {

class ClockPanel : public cfx::SetTimePanel {
public:
    explicit ClockPanel(Stopwatch& clock) : m_clock(clock) {}
    void pressReset() override { m_clock.reset(); }
    void setSnapEnabled(bool) override {}
    void setResetEnabled(bool) override {}

private:
    Stopwatch& m_clock;
};

struct PruneRig {
    ProgramState state;
    FakeClock time;
    NullDisplay display;
    Stopwatch clock{state, time};
    ReadingsModel readings;
    ClockPanel panel{clock};
    SetTimeModel setTime;

    PruneRig() { clock.setDisplay(&display); }
    void runTo(qint32 cs) {
        do {
            time.advance(10);
            clock.tick();
        } while (clock.CurrentCs() < cs);
    }
    void snap() {
        cfx::SnapClock c{clock.CurrentCs(), clock.CentiText(), clock.PanelState()};
        cfx::TakeSnap(state, c, readings, display, {});
        clock.setPanelState(c.panelState);
    }
    QStringList times() const {
        QStringList t;
        for (int n = 1; n <= readings.recordCount(); ++n) {
            t << readings.results().textMatrix(n, 1);
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

    r.setTime.apply(r.state, r.display, r.panel, {0, 0, 5, 0});
    EXPECT_EQ(r.state.BaseCs, 500);
    r.clock.start();
    r.runTo(600);
    EXPECT_EQ(r.clock.CurrentCs(), 600);
    r.snap();

    EXPECT_EQ(r.times(), QStringList({"00:00:03.00", "00:00:06.00"}));
    EXPECT_EQ(r.readings.timeCs(2), 600);
    EXPECT_EQ(r.state.PruneOnSnap, 0);

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
    r.setTime.apply(r.state, r.display, r.panel, {0, 0, 4, 5});
    r.snap();
    EXPECT_EQ(r.times(), QStringList({"S00:00:04.05"}));
    EXPECT_EQ(r.readings.timeCs(1), 450);
    EXPECT_EQ(r.clock.PanelState(), 2);
}

} // namespace
