#include "core/RateMeter.h"
#include "core/SpeedMeter.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <ostream>

using namespace cfx;

QT_BEGIN_NAMESPACE
// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// Expected numbers are written with "."; the program writes the user's decimal separator.
QString local(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

// A stopwatch the test moves by hand.
struct FakeClock {
    qint32 cs = 0;
    bool running = true;
    MeasureClock source() {
        MeasureClock c;
        c.elapsedCs = [this] { return cs; };
        c.running = [this] { return running; };
        c.now = [] { return QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)); };
        return c;
    }
};

} // namespace

TEST(calculateRate, OneCycleOverOneAndAHalfSeconds) {
    const RateResult r = calculateRate({0, 150, 0, 0, 0}, 1);
    EXPECT_FLOAT_EQ(r.secsPerCycle, 1.5f);
    EXPECT_EQ(r.secsPerCycleText, local("1.50"));
    EXPECT_EQ(r.cyclesPerMinRaw, QStringLiteral("40"));
    EXPECT_EQ(r.cyclesPerMinText, local("40.00"));
}

TEST(calculateRate, FourCyclesUseFirstAndLastMark) {
    const RateResult r = calculateRate({200, 330, 455, 590, 720}, 4);
    EXPECT_EQ(r.secsPerCycle, 1.3f);
    EXPECT_EQ(r.cyclesPerMinRaw, QStringLiteral("46.15385"));
    EXPECT_EQ(r.secsPerCycleText, local("1.30"));
    EXPECT_EQ(r.cyclesPerMinText, local("46.15"));
    // Marks that go back (stopwatch reset between presses) give a negative rate, unchecked.
    const RateResult back = calculateRate({500, 100, 0, 0, 0}, 1);
    EXPECT_EQ(back.secsPerCycleText, local("-4.00"));
    EXPECT_EQ(back.cyclesPerMinText, local("-15.00"));
}

TEST(calculateRate, ZeroSpanGivesADefinedTextInsteadOfDividing) {
    const RateResult r = calculateRate({70, 70, 70, 0, 0}, 2);
    EXPECT_EQ(r.secsPerCycleText, local("0.00"));
    EXPECT_EQ(r.cyclesPerMinText, QStringLiteral("-"));
    EXPECT_TRUE(r.cyclesPerMinRaw.isEmpty());
}

TEST(calculateSpeed, WorkedValuesInEachUnit) {
    EXPECT_EQ(speedText(calculateSpeed(100.0f, 1000, SpeedUnit::Metres)), local("36.0"));
    EXPECT_EQ(speedText(calculateSpeed(100.0f, 1000, SpeedUnit::Yards)), local("20.4545"));
    EXPECT_EQ(speedText(calculateSpeed(100.0f, 1000, SpeedUnit::Feet)), local("6.8182"));
    EXPECT_EQ(speedDisplay(calculateSpeed(100.0f, 1000, SpeedUnit::Metres)), local("36.0"));
    EXPECT_EQ(speedText(calculateSpeed(0.0f, 1000, SpeedUnit::Metres)), local("0.0"));
}

TEST(calculateSpeed, LongRunsDoNotOverflowTheProduct) {
    // Five hours: 1 800 000 cs; times 1760 or 5280 is far beyond 32 bits.
    const qint32 fiveHours = 5 * 3600 * 100;
    EXPECT_EQ(speedText(calculateSpeed(8800.0f, fiveHours, SpeedUnit::Yards)), local("1.0"));
    EXPECT_EQ(speedText(calculateSpeed(26400.0f, fiveHours, SpeedUnit::Feet)), local("1.0"));
    EXPECT_EQ(speedText(calculateSpeed(50000.0f, fiveHours, SpeedUnit::Metres)), local("10.0"));
}

TEST(calculateSpeed, ZeroIntervalAndHugeSpeeds) {
    EXPECT_FALSE(calculateSpeed(100.0f, 0, SpeedUnit::Metres).has_value());
    EXPECT_FALSE(calculateSpeed(0.0f, 0, SpeedUnit::Feet).has_value());
    EXPECT_EQ(speedDisplay(std::nullopt), QStringLiteral("-"));
    EXPECT_EQ(speedText(std::nullopt), QStringLiteral("-"));

    const auto huge = calculateSpeed(9999999.0f, 1, SpeedUnit::Metres);
    EXPECT_EQ(speedDisplay(huge), QStringLiteral(">1E7"));
    // The record keeps the number, as a single holds 9999999 * 360.
    EXPECT_EQ(speedText(huge), local("3599999744.0"));
    // Exactly 9999999 is still shown; a single that writes as 1e+07 is not.
    EXPECT_EQ(speedDisplay(9999999.0f), local("9999999.0"));
    EXPECT_EQ(speedDisplay(10000000.0f), QStringLiteral(">1E7"));
    // A reset between Start and Stop gives a negative interval and speed, unchecked.
    EXPECT_EQ(speedDisplay(calculateSpeed(100.0f, -1000, SpeedUnit::Metres)), local("-36.0"));
}

TEST(SpeedUnit, OnlyExactListItemsMatch) {
    EXPECT_EQ(speedUnitOf(QStringLiteral("m")), SpeedUnit::Metres);
    EXPECT_EQ(speedUnitOf(QStringLiteral("yards")), SpeedUnit::Yards);
    EXPECT_EQ(speedUnitOf(QStringLiteral("feet")), SpeedUnit::Feet);
    EXPECT_FALSE(speedUnitOf(QStringLiteral("M")).has_value());
    EXPECT_FALSE(speedUnitOf(QStringLiteral("miles")).has_value());
}

TEST(RateMeter, OneCycleTimesThenShowsTheResult) {
    FakeClock clock;
    RateMeter meter(clock.source());
    EXPECT_FALSE(meter.view().freshEnabled);
    EXPECT_EQ(meter.records().count(), 0);
    EXPECT_EQ(meter.records().titles().value(4), QStringLiteral("Average Rate c/min"));

    clock.cs = 1000;
    meter.press(QStringLiteral("1"));
    EXPECT_EQ(meter.view().status, MeasureStatus::Timing);
    EXPECT_TRUE(meter.rateView().cyclesPerMin.isEmpty());
    EXPECT_EQ(meter.view().start, StartFace::Waiting);
    EXPECT_FALSE(meter.rateView().cyclesBoxEnabled);
    EXPECT_TRUE(meter.view().freshEnabled);
    EXPECT_FALSE(meter.view().storeEnabled);

    clock.cs = 1150;
    meter.press(QStringLiteral("1"));
    EXPECT_EQ(meter.view().figure, local("1.50"));
    EXPECT_EQ(meter.rateView().cyclesPerMin, local("40.00"));
    EXPECT_EQ(meter.view().start, StartFace::Start);
    EXPECT_TRUE(meter.view().storeEnabled);
    EXPECT_TRUE(meter.rateView().cyclesBoxEnabled);
    EXPECT_EQ(meter.clickCount(), 0);
    EXPECT_EQ(meter.cycleCountText(), QStringLiteral("1"));
    EXPECT_FALSE(meter.readingStamp().isEmpty());
}

TEST(RateMeter, FourCyclesKeepWaitingUntilTheFifthPress) {
    FakeClock clock;
    RateMeter meter(clock.source());
    for (qint32 mark : {200, 330, 455, 590}) {
        clock.cs = mark;
        meter.press(QStringLiteral("4"));
        EXPECT_EQ(meter.view().start, StartFace::Waiting);
        EXPECT_EQ(meter.view().status, MeasureStatus::Timing);
    }
    EXPECT_EQ(meter.clickCount(), 4);
    clock.cs = 720;
    meter.press(QStringLiteral("4"));
    EXPECT_EQ(meter.view().figure, local("1.30"));
    EXPECT_EQ(meter.rateView().cyclesPerMin, local("46.15"));
}

TEST(RateMeter, PressWhileStoppedAbandonsTheMeasurement) {
    FakeClock clock;
    RateMeter meter(clock.source());
    clock.cs = 100;
    meter.press(QStringLiteral("2"));
    clock.cs = 200;
    meter.press(QStringLiteral("2"));
    clock.running = false;
    meter.press(QStringLiteral("2"));
    EXPECT_EQ(meter.view().status, MeasureStatus::Stopped);
    EXPECT_EQ(meter.clickCount(), 0);
    EXPECT_FALSE(meter.view().storeEnabled);
    EXPECT_TRUE(meter.rateView().cyclesBoxEnabled);
    EXPECT_EQ(meter.view().start, StartFace::Start);

    // Running again, an unusable count leaves "0.0" and takes no mark.
    clock.running = true;
    meter.press(QStringLiteral("abc"));
    EXPECT_EQ(meter.view().figure, QStringLiteral("0.0"));
    EXPECT_EQ(meter.clickCount(), 0);
    meter.press(QStringLiteral("99999999"));
    EXPECT_EQ(meter.clickCount(), 0);

    // The next usable press is boundary 1 of a new measurement.
    clock.cs = 300;
    meter.press(QStringLiteral("1"));
    clock.cs = 360;
    meter.press(QStringLiteral("1"));
    EXPECT_EQ(meter.view().figure, local("0.60"));
    EXPECT_EQ(meter.rateView().cyclesPerMin, local("100.00"));
}

TEST(RateMeter, AllMarksInOneTickShowTheDefinedText) {
    FakeClock clock;
    RateMeter meter(clock.source());
    clock.cs = 500;
    meter.press(QStringLiteral("1"));
    meter.press(QStringLiteral("1"));
    EXPECT_EQ(meter.view().figure, local("0.00"));
    EXPECT_EQ(meter.rateView().cyclesPerMin, QStringLiteral("-"));
    meter.commentAccepted(QString());
    EXPECT_EQ(meter.records().text(1, RateMeter::ColCyclesPerMin), QStringLiteral("-"));
}

TEST(RateMeter, RecordsAreNumberedAndFreshStartsAgain) {
    FakeClock clock;
    RateMeter meter(clock.source());
    auto measure = [&](qint32 from, qint32 to) {
        clock.cs = from;
        meter.press(QStringLiteral("1"));
        clock.cs = to;
        meter.press(QStringLiteral("1"));
    };
    for (int i = 1; i <= 3; ++i) {
        measure(0, 100 * i);
        meter.commentAccepted(i == 2 ? QString() : QStringLiteral("run %1").arg(i));
        EXPECT_FALSE(meter.view().storeEnabled);
        meter.commentDialogClosed();
    }
    const RecordTable& g = meter.records();
    ASSERT_EQ(g.count(), 3);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(g.text(r, RateMeter::ColNumber), QString::number(r));
    EXPECT_EQ(g.text(3, RateMeter::ColCycles), QStringLiteral("1"));
    EXPECT_EQ(g.text(3, RateMeter::ColStamp), meter.readingStamp());
    EXPECT_EQ(g.text(3, RateMeter::ColSecsPerCycle), local("3.00"));
    EXPECT_EQ(g.text(3, RateMeter::ColCyclesPerMin), local("20.00"));
    EXPECT_EQ(g.text(3, RateMeter::ColComment), QStringLiteral("run 3"));
    EXPECT_TRUE(g.text(2, RateMeter::ColComment).isEmpty());
    EXPECT_TRUE(meter.view().reportsEnabled);

    meter.fresh();
    EXPECT_EQ(meter.records().count(), 0);
    EXPECT_EQ(meter.view().status, MeasureStatus::Reset);
    EXPECT_FALSE(meter.view().reportsEnabled);
    EXPECT_FALSE(meter.view().freshEnabled);
    // The last result survives Fresh; the next stored record is number 1.
    EXPECT_EQ(meter.result().secsPerCycleText, local("3.00"));
    measure(0, 50);
    meter.commentAccepted(QStringLiteral("after fresh"));
    EXPECT_EQ(meter.records().text(1, RateMeter::ColNumber), QStringLiteral("1"));
    EXPECT_EQ(meter.records().text(1, RateMeter::ColSecsPerCycle), local("0.50"));
}

TEST(SpeedMeter, StartStopAndStoreInEachUnit) {
    FakeClock clock;
    SpeedMeter meter(clock.source());
    clock.cs = 400;
    meter.press(QStringLiteral("100"), QStringLiteral("m"));
    EXPECT_EQ(meter.view().start, StartFace::Stop);
    EXPECT_EQ(meter.view().status, MeasureStatus::Timing);
    EXPECT_TRUE(meter.view().freshEnabled);
    EXPECT_FALSE(meter.view().storeEnabled);

    // Distance and unit are read at the Stop press.
    clock.cs = 1400;
    meter.press(QStringLiteral("100"), QStringLiteral("yards"));
    EXPECT_EQ(meter.view().figure, local("20.4545"));
    EXPECT_EQ(meter.unitCaption(), QStringLiteral("mph"));
    EXPECT_EQ(meter.view().start, StartFace::Start);
    EXPECT_TRUE(meter.view().storeEnabled);

    clock.cs = 0;
    meter.press(QStringLiteral("100"), QStringLiteral("m"));
    clock.cs = 1000;
    meter.press(QStringLiteral("100"), QStringLiteral("m"));
    EXPECT_EQ(meter.view().figure, local("36.0"));
    EXPECT_EQ(meter.unitCaption(), QStringLiteral("kph"));
    meter.commentAccepted(QStringLiteral("lap"));
    EXPECT_FALSE(meter.view().storeEnabled);
    EXPECT_EQ(meter.records().text(1, SpeedMeter::ColNumber), QStringLiteral("1"));
    EXPECT_EQ(meter.records().text(1, SpeedMeter::ColSpeed), local("36.0") + " kph");
    EXPECT_EQ(meter.records().text(1, SpeedMeter::ColStamp), meter.readingStamp());
    EXPECT_EQ(meter.records().text(1, SpeedMeter::ColComment), QStringLiteral("lap"));
}

TEST(SpeedMeter, FreeTextUnitKeepsTheLastSpeed) {
    FakeClock clock;
    SpeedMeter meter(clock.source());
    clock.cs = 0;
    meter.press(QStringLiteral("100"), QStringLiteral("feet"));
    clock.cs = 1000;
    meter.press(QStringLiteral("100"), QStringLiteral("feet"));
    clock.cs = 2000;
    meter.press(QStringLiteral("5"), QStringLiteral("furlongs"));
    clock.cs = 2001;
    meter.press(QStringLiteral("5"), QStringLiteral("furlongs"));
    EXPECT_EQ(meter.view().figure, local("6.8182"));
    EXPECT_EQ(meter.speedWithUnit(), local("6.8182") + " mph");
    EXPECT_EQ(meter.unitCaption(), QStringLiteral("mph"));
}

TEST(SpeedMeter, StoppedZeroIntervalAndFresh) {
    FakeClock clock;
    SpeedMeter meter(clock.source());
    clock.cs = 10;
    meter.press(QStringLiteral("100"), QStringLiteral("m"));
    clock.running = false;
    meter.press(QStringLiteral("100"), QStringLiteral("m"));
    EXPECT_EQ(meter.view().status, MeasureStatus::Stopped);
    EXPECT_EQ(meter.view().start, StartFace::Start);
    EXPECT_EQ(meter.clickCount(), 0);
    EXPECT_FALSE(meter.view().storeEnabled);

    // Start and Stop within one tick: a defined text, no division.
    clock.running = true;
    meter.press(QStringLiteral("100"), QStringLiteral("m"));
    meter.press(QStringLiteral("100"), QStringLiteral("m"));
    EXPECT_EQ(meter.view().figure, QStringLiteral("-"));
    EXPECT_EQ(meter.speedWithUnit(), QStringLiteral("- kph"));

    meter.commentAccepted(QString());
    meter.commentDialogClosed();
    EXPECT_TRUE(meter.view().reportsEnabled);
    meter.fresh();
    EXPECT_EQ(meter.records().count(), 0);
    EXPECT_EQ(meter.view().status, MeasureStatus::Reset);
    EXPECT_FALSE(meter.view().reportsEnabled);
    EXPECT_FALSE(meter.view().freshEnabled);
}
