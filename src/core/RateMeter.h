#pragma once

#include "core/GridModel.h"
#include "core/MeasureClock.h"

#include <QString>

#include <array>

namespace cfx {

// The outcome of one rate measurement over N cycles.
struct RateResult {
    float SecsPerCycle = 0.0f;
    QString CyclesPerMinRaw; // 60 / SecsPerCycle as plain number text, at most 7 significant digits
    QString SecsPerCycleText; // "Fixed"
    QString CyclesPerMinText; // "Fixed", or "-" when the marks span 0 cs
};

// Average seconds per cycle and cycles per minute from marks[0] .. marks[n] (n = 1 .. 4).
RateResult CalculateRate(const std::array<qint32, 5>& marks, int n);

// The rate window's behaviour without widgets: one press per cycle boundary against the main
// stopwatch, the last result, and the stored records in RateGrid. The window shows view().
class RateMeter {
public:
    // Columns of RateGrid, read by the rate reports.
    enum Column { ColNumber, ColCycles, ColStamp, ColSecsPerCycle, ColCyclesPerMin, ColComment };
    static constexpr int kColumns = 6;
    // Left edge of the cycles-per-minute value in the display panel, in twips.
    static constexpr int kLabel2ValueTwips = 950;
    static constexpr int kLabel2BlankTwips = 1200;

    struct View {
        QString Label1 = measuretext::kZero;
        QString Label2 = measuretext::kZero;
        int Label2LeftTwips = kLabel2ValueTwips;
        QString StartCaption = measuretext::kStart;
        QString StartIcon = QStringLiteral("START");
        bool SaveEnabled = false;
        bool ResetEnabled = false;
        bool ComboEnabled = true;
        bool ReportsEnabled = false;
    };

    explicit RateMeter(MeasureClock clock);
    RateMeter(const RateMeter&) = delete;
    RateMeter& operator=(const RateMeter&) = delete;

    // A mouse press on the Start button; comboText is the number-of-cycles box.
    void press(const QString& comboText);
    // Appends the last result with this comment as the next numbered record.
    void AddRecord(const QString& comment);
    // "OK" in the comment dialog: the result is stored once, so Store goes off.
    void commentAccepted(const QString& comment);
    // The comment dialog closed, whichever way.
    void commentDialogClosed();
    // "Fresh": abandons the measurement and removes every record.
    void fresh();

    const View& view() const { return m_view; }
    GridModel& grid() { return m_grid; }
    const GridModel& grid() const { return m_grid; }

    int clickCount() const { return m_clickCount; }
    const RateResult& result() const { return m_result; }
    const QString& ReadingStamp() const { return m_readingStamp; }
    const QString& CycleCountText() const { return m_cycleCountText; }

private:
    void toIdle();

    MeasureClock m_clock;
    View m_view;
    GridModel m_grid{kColumns};
    qint16 m_clickCount = 0;
    std::array<qint32, 5> m_marks{};
    int m_cycleCount = 0;
    RateResult m_result;
    QString m_readingStamp;
    QString m_cycleCountText;
};

} // namespace cfx
