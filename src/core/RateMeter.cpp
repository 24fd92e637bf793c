#include "core/RateMeter.h"

#include "core/NumberText.h"

#include <cmath>
#include <limits>

namespace cfx {

namespace {

// A single-precision value written the way it is kept as text: at most seven significant digits.
QString singleText(float value) {
    return QString::number(static_cast<double>(value), 'g', 7);
}

} // namespace

RateResult CalculateRate(const std::array<qint32, 5>& marks, int n) {
    RateResult result;
    if (n < 1 || n > 4)
        return result;
    // The differences add up to marks[n] - marks[0]; 64-bit keeps even absurd marks exact.
    qint64 total = 0;
    for (int i = 1; i <= n; ++i)
        total += qint64{marks[i]} - marks[i - 1];
    result.SecsPerCycle = static_cast<float>(static_cast<double>(total) / (100.0 * n));
    result.SecsPerCycleText = cfx::formatFixed(result.SecsPerCycle);
    const float perMinute = 60.0f / result.SecsPerCycle;
    if (!std::isfinite(perMinute)) {
        // All marks fell in one tick: there is no rate to show.
        result.CyclesPerMinText = measuretext::kUndefined;
        return result;
    }
    result.CyclesPerMinRaw = singleText(perMinute);
    result.CyclesPerMinText = cfx::formatFixed(cfx::numericValue(result.CyclesPerMinRaw));
    return result;
}

RateMeter::RateMeter(MeasureClock clock) : m_clock(std::move(clock)) {
    m_grid.setObjectName(QStringLiteral("RateGrid"));
    static const char* const headers[kColumns] = {
        "#", "No. cycles", "Time of Reading", "Average Rate s/c", "Average Rate c/min", "Comment"};
    for (int c = 0; c < kColumns; ++c)
        m_grid.setTextMatrix(0, c, QString::fromLatin1(headers[c]));
}

void RateMeter::toIdle() {
    m_view.StartCaption = measuretext::kStart;
    m_view.StartIcon = QStringLiteral("START");
    m_clickCount = 0;
}

void RateMeter::press(const QString& comboText) {
    const bool running = m_clock.running();
    m_view.ResetEnabled = true;
    m_view.Label2LeftTwips = kLabel2ValueTwips;
    if (running && m_view.Label1 == measuretext::kStopped)
        m_view.Label1 = measuretext::kZero;

    const qint64 wanted = cfx::roundHalfEven(cfx::numericValue(comboText));
    // A count beyond 16 bits is as unusable as any other count outside 1 .. 4.
    m_cycleCount = (wanted >= std::numeric_limits<qint16>::min() &&
                    wanted <= std::numeric_limits<qint16>::max())
                       ? static_cast<int>(wanted)
                       : 0;

    if (!running) {
        m_view.Label1 = measuretext::kStopped;
        m_view.Label2LeftTwips = kLabel2BlankTwips;
        m_view.Label2.clear();
        toIdle();
        m_view.SaveEnabled = false;
        m_view.ComboEnabled = true;
        return;
    }
    const int n = m_cycleCount;
    if (n < 1 || n > 4)
        return;

    const int k = ++m_clickCount;
    if (k <= n) {
        m_marks[k - 1] = m_clock.elapsedCs();
        m_view.StartCaption.clear();
        if (k == 1)
            m_view.StartIcon = QStringLiteral("WAITING");
        m_view.SaveEnabled = false;
        m_view.Label1 = measuretext::kTiming;
        m_view.Label2LeftTwips = kLabel2BlankTwips;
        m_view.Label2.clear();
        m_view.ComboEnabled = false;
        return;
    }
    if (k > n + 1) {
        // The count changed under a running measurement (only possible from code): start over.
        toIdle();
        m_view.ComboEnabled = true;
        return;
    }
    toIdle();
    m_marks[n] = m_clock.elapsedCs();
    m_result = CalculateRate(m_marks, n);
    m_view.Label1 = m_result.SecsPerCycleText;
    m_view.Label2 = m_result.CyclesPerMinText;
    m_readingStamp = cfx::generalDate(m_clock.now());
    m_cycleCountText = comboText;
    m_view.SaveEnabled = true;
    m_view.ComboEnabled = true;
}

void RateMeter::AddRecord(const QString& comment) {
    const int r = m_grid.addRow();
    m_grid.setRow(r);
    m_grid.setTextMatrix(r, ColNumber, QString::number(r));
    m_grid.setTextMatrix(r, ColCycles, m_cycleCountText);
    m_grid.setTextMatrix(r, ColStamp, m_readingStamp);
    m_grid.setTextMatrix(r, ColSecsPerCycle, m_result.SecsPerCycleText);
    m_grid.setTextMatrix(r, ColCyclesPerMin, m_result.CyclesPerMinText);
    m_grid.setTextMatrix(r, ColComment, comment);
}

void RateMeter::commentAccepted(const QString& comment) {
    AddRecord(comment);
    m_view.SaveEnabled = false;
}

void RateMeter::commentDialogClosed() {
    m_view.ReportsEnabled = true;
}

void RateMeter::fresh() {
    toIdle();
    m_grid.setRows(1);
    m_view.ResetEnabled = false;
    m_view.Label1 = measuretext::kReset;
    m_view.Label2.clear();
    m_view.SaveEnabled = false;
    m_view.ComboEnabled = true;
    m_view.ReportsEnabled = false;
}

} // namespace cfx
