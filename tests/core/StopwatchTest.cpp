#include "tests/support/FakeClock.h"

#include "core/NumberText.h"
#include "core/Stopwatch.h"
#include "core/TimeFormat.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <random>

using namespace cfx;

namespace {

struct Rig {
    FakeClock time;
    NullDisplay display;
    Stopwatch clock{time};
    Rig() { clock.setDisplay(&display); }

    void run(qint64 ms) {
        time.advance(ms);
        clock.tick();
    }
};

} // namespace

TEST(Stopwatch, PausesAndResumesFromTheLastTick) {
    Rig r;
    r.clock.start();
    r.run(1234);
    r.clock.stop();
    EXPECT_EQ(r.clock.baseCs(), 123);
    r.time.advance(5000); // standing time is not counted
    r.clock.start();
    r.run(2000);
    EXPECT_EQ(r.clock.currentCs(), 323);
    EXPECT_EQ(r.clock.panelText(), "00:00:03.23");
    r.clock.stop();
    EXPECT_EQ(r.clock.baseCs(), 323);
    EXPECT_EQ(r.clock.panelState(), PanelState::Stopped);
    EXPECT_FALSE(r.clock.isRunning());
}

TEST(Stopwatch, StopTakesTheLastCompletedTick) {
    Rig r;
    r.clock.start();
    r.run(500);
    r.time.advance(7); // a stop 7 ms after the last tick
    r.clock.stop();
    EXPECT_EQ(r.clock.baseCs(), 50);
}

TEST(Stopwatch, RoundsMillisecondsHalfToEven) {
    for (auto [ms, cs] : {std::pair{45, 4}, {55, 6}, {44, 4}, {46, 5}, {15, 2}, {25, 2}}) {
        Rig r;
        r.clock.start();
        r.run(ms);
        EXPECT_EQ(r.clock.currentCs(), cs) << ms << " ms";
        EXPECT_EQ(r.clock.elapsedCs(), cs);
    }
}

TEST(Stopwatch, FirstTickAfterStartLeavesTheIdleText) {
    Rig r;
    EXPECT_EQ(r.clock.panelText(), cfx::kIdlePanelText);
    r.clock.start();
    EXPECT_EQ(r.clock.panelText(), cfx::kIdlePanelText);
    r.run(10);
    EXPECT_EQ(r.clock.panelText(), "00:00:00.01");
}

TEST(Stopwatch, PublishesFieldsAndDigitsEveryTick) {
    Rig r;
    r.clock.start();
    r.run(3723570); // 1 h 2 min 3.57 s
    EXPECT_EQ(r.clock.hourText(), "01");
    EXPECT_EQ(r.clock.minuteText(), "02");
    EXPECT_EQ(r.clock.secondText(), "03");
    EXPECT_EQ(r.clock.centiText(), "57");
    EXPECT_EQ(r.clock.subSecText(), "05");
    EXPECT_EQ(r.display.ledValues(), (std::array<int, 8>{0, 1, 0, 2, 0, 3, 0, 5}));
    EXPECT_EQ(r.clock.digits(), (std::array<int, 8>{0, 1, 0, 2, 0, 3, 5, 7}));
}

TEST(Stopwatch, SubSecondFieldFollowsTheResolution) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "00"}, {"10", "05"}, {"30", "17"}, {"100", "57"}, {"250", "14"}};
    for (auto [resolution, expected] : cases) {
        Rig r;
        r.clock.start();
        r.run(570);
        r.clock.stop();
        r.clock.setResolution(resolution);
        EXPECT_EQ(r.clock.subSecText(), expected) << resolution;
        EXPECT_EQ(r.display.ledValues()[6] * 10 + r.display.ledValues()[7],
                  QString(expected).toInt())
            << resolution;
        EXPECT_EQ(r.display.resolutionOne(), QString(resolution) == "1");
        // The next tick keeps using the new resolution.
        r.clock.start();
        r.run(0);
        EXPECT_EQ(r.clock.subSecText(), expected) << resolution;
    }
}

TEST(Stopwatch, ResolutionUsesTheSetSubSecondAfterACustomTime) {
    Rig r;
    r.clock.applyCustomTime({0, 0, 0, 70}, {"00", "00", "00", "07"});
    r.clock.setResolution("10");
    EXPECT_EQ(r.clock.subSecText(), "07");
    r.clock.setResolution("-5"); // a nonsense resolution cannot make negative fields
    EXPECT_EQ(r.clock.eventsPerSec(), 0);
    EXPECT_EQ(r.clock.subSecText(), "00");
}

TEST(Stopwatch, ResetWhileRunningStopsAndZeroes) {
    Rig r;
    int resets = 0;
    QObject::connect(&r.clock, &Stopwatch::resetDone, [&] { ++resets; });
    r.clock.start();
    r.run(1500);
    r.clock.reset();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(r.clock.panelText(), cfx::kIdlePanelText);
    EXPECT_EQ(r.clock.currentCs(), 0);
    EXPECT_EQ(r.clock.baseCs(), 0);
    EXPECT_EQ(r.clock.elapsedCs(), 150); // keeps the last running value
    EXPECT_FALSE(r.clock.isRunning());
    EXPECT_EQ(r.display.ledValues(), (std::array<int, 8>{}));
    // A tick that was already queued does nothing after the reset.
    r.run(100);
    EXPECT_EQ(r.clock.currentCs(), 0);
    // The next start counts from zero.
    r.clock.start();
    r.run(100);
    EXPECT_EQ(r.clock.currentCs(), 10);
}

TEST(Stopwatch, LedColoursFollowTheClock) {
    Rig r;
    r.clock.setLook(DisplayLook::Led);
    EXPECT_EQ(r.display.lit(), DisplaySink::kRed);
    EXPECT_EQ(r.display.background(), DisplaySink::kBlack);
    r.clock.start();
    EXPECT_EQ(r.display.lit(), DisplaySink::kGreen);
    r.clock.stop();
    EXPECT_EQ(r.display.lit(), DisplaySink::kRed);
    r.clock.start();
    r.clock.reset();
    EXPECT_EQ(r.display.lit(), DisplaySink::kRed);
    r.clock.setLook(DisplayLook::Lcd);
    EXPECT_EQ(r.display.lit(), DisplaySink::kBlack);
    EXPECT_EQ(r.display.background(), DisplaySink::kLightGrey);
    r.clock.start(); // the LCD look does not change with the clock
    EXPECT_EQ(r.display.lit(), DisplaySink::kBlack);
}

TEST(Stopwatch, RollsOverAtOneHundredHours) {
    Rig r;
    int resets = 0;
    QObject::connect(&r.clock, &Stopwatch::resetDone, [&] { ++resets; });
    r.clock.setBaseCs(cfx::kRollOverCs - 1);
    r.clock.start();
    r.run(10);
    EXPECT_EQ(r.clock.currentCs(), cfx::kRollOverCs);
    EXPECT_EQ(resets, 0);
    r.run(10); // the tick after 100:00:00.00 rolls over instead of showing it
    EXPECT_EQ(resets, 1);
    EXPECT_TRUE(r.clock.isRunning());
    EXPECT_EQ(r.clock.currentCs(), 0);
    r.run(20);
    EXPECT_EQ(r.clock.currentCs(), 2);
}

TEST(Stopwatch, LateTickStillRollsOver) {
    Rig r;
    int rolls = 0;
    QObject::connect(&r.clock, &Stopwatch::rollOverDue, [&] { ++rolls; });
    r.clock.setBaseCs(cfx::kRollOverCs - 1);
    r.clock.start();
    r.run(25); // jumps from ...99 straight past the exact value
    EXPECT_EQ(r.clock.currentCs(), cfx::kRollOverCs + 1);
    r.run(10);
    EXPECT_EQ(rolls, 1);
}

TEST(Stopwatch, HundredHourRunHasNoDrift) {
    Rig r;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> step(10, 4000);
    r.clock.start();
    qint64 total = 0;
    const qint64 end = 360'000'000 - 5'000; // just short of 100 hours, in ms
    while (total < end) {
        const int ms = static_cast<int>(std::min<qint64>(step(random), end - total));
        total += ms;
        r.run(ms);
        ASSERT_EQ(r.clock.currentCs(), cfx::roundHalfEven(total / 10.0)) << total;
    }
    EXPECT_EQ(r.clock.panelText(), "99:59:55.00");
}
