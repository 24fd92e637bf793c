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

// The cycles box's number, rounded; a count beyond 16 bits is as unusable as any other count
// outside 1 .. 4.
int cycleCountOf(const QString& cyclesText) {
    const qint64 wanted = roundHalfEven(numericValue(cyclesText));
    return (wanted >= std::numeric_limits<qint16>::min() &&
            wanted <= std::numeric_limits<qint16>::max())
               ? static_cast<int>(wanted)
               : 0;
}

} // namespace

RateResult calculateRate(const std::array<qint32, 5>& marks, int n) {
    RateResult result;
    if (n < 1 || n > 4)
        return result;
    // The differences add up to marks[n] - marks[0]; 64-bit keeps even absurd marks exact.
    qint64 total = 0;
    for (int i = 1; i <= n; ++i)
        total += qint64{marks[i]} - marks[i - 1];
    result.secsPerCycle = static_cast<float>(static_cast<double>(total) / (100.0 * n));
    result.secsPerCycleText = formatFixed(result.secsPerCycle);
    const float perMinute = 60.0f / result.secsPerCycle;
    if (!std::isfinite(perMinute)) {
        // All marks fell in one tick: there is no rate to show.
        result.cyclesPerMinText = MeasureTexts::kUndefined;
        return result;
    }
    result.cyclesPerMinRaw = singleText(perMinute);
    result.cyclesPerMinText = formatFixed(numericValue(result.cyclesPerMinRaw));
    return result;
}

RateMeter::RateMeter(MeasureClock clock)
    : MeasureMeter(std::move(clock),
                   {QStringLiteral("#"), QStringLiteral("No. cycles"),
                    QStringLiteral("Time of Reading"), QStringLiteral("Average Rate s/c"),
                    QStringLiteral("Average Rate c/min"), QStringLiteral("Comment")}) {}

void RateMeter::press(const QString& cyclesText) {
    m_cycleCount = cycleCountOf(cyclesText);
    if (!beginPress())
        return;
    const int n = m_cycleCount;
    if (n < 1 || n > 4)
        return;

    const int k = ++m_clickCount;
    if (k <= n) {
        m_marks[k - 1] = elapsedCs();
        m_view.start = StartFace::Waiting;
        m_view.storeEnabled = false;
        m_view.status = MeasureStatus::Timing;
        m_rateView.cyclesPerMin.clear();
        m_rateView.cyclesBoxEnabled = false;
        return;
    }
    if (k > n + 1) {
        // The count changed under a running measurement (only possible from code): start over.
        toIdle();
        m_rateView.cyclesBoxEnabled = true;
        return;
    }
    toIdle();
    m_marks[n] = elapsedCs();
    m_result = calculateRate(m_marks, n);
    showFigure(m_result.secsPerCycleText);
    m_rateView.cyclesPerMin = m_result.cyclesPerMinText;
    stampReading();
    m_cycleCountText = cyclesText;
    m_view.storeEnabled = true;
    m_rateView.cyclesBoxEnabled = true;
}

void RateMeter::clearDetails() {
    m_rateView.cyclesPerMin.clear();
    m_rateView.cyclesBoxEnabled = true;
}

QStringList RateMeter::resultTexts() const {
    return {m_cycleCountText, readingStamp(), m_result.secsPerCycleText, m_result.cyclesPerMinText};
}

} // namespace cfx
