#pragma once

#include "core/MeasureMeter.h"

#include <QString>

#include <array>

namespace cfx {

// The outcome of one rate measurement over N cycles.
struct RateResult {
    float secsPerCycle = 0.0f;
    QString cyclesPerMinRaw; // 60 / secsPerCycle as plain number text, at most 7 significant digits
    QString secsPerCycleText; // "Fixed"
    QString cyclesPerMinText; // "Fixed", or "-" when the marks span 0 cs
};

// Average seconds per cycle and cycles per minute from marks[0] .. marks[n] (n = 1 .. 4).
RateResult calculateRate(const std::array<qint32, 5>& marks, int n);

// The rate window's behaviour without widgets: one press per cycle boundary, timed by the main
// stopwatch, over the number of cycles in the cycles box; the result shows as seconds per cycle
// (the view's value) and cycles per minute (rateView()).
class RateMeter : public MeasureMeter {
public:
    // Columns of the records, read by the rate reports.
    enum Column { ColNumber, ColCycles, ColStamp, ColSecsPerCycle, ColCyclesPerMin, ColComment };
    static constexpr int kColumns = 6;

    // What the rate window shows besides the shared view.
    struct RateView {
        QString cyclesPerMin = MeasureTexts::kZero;
        bool cyclesBoxEnabled = true;
    };

    explicit RateMeter(MeasureClock clock);

    // A mouse press on the Start button; cyclesText is the number-of-cycles box.
    void press(const QString& cyclesText);

    const RateView& rateView() const { return m_rateView; }
    const RateResult& result() const { return m_result; }
    // The cycles box's text when the last result was taken.
    const QString& cycleCountText() const { return m_cycleCountText; }

protected:
    void clearDetails() override;
    QStringList resultTexts() const override;

private:
    RateView m_rateView;
    std::array<qint32, 5> m_marks{};
    int m_cycleCount = 0;
    RateResult m_result;
    QString m_cycleCountText;
};

} // namespace cfx
