#pragma once

#include "core/DisplaySink.h"
#include "core/ProgramState.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>

namespace cfx {

// The time source of the clock: milliseconds from any fixed point, never going backwards.
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    virtual qint64 nowMs() const = 0;
};

// std::chrono::steady_clock.
class SteadyClock : public MonotonicClock {
public:
    qint64 nowMs() const override;
};

// The stopwatch's clock. While running, a precise 10 ms timer drives one tick: the elapsed time
// since the last start plus BaseCs, in centiseconds, rounded half to even. Each tick republishes
// ElapsedCs and the time fields and hands the eight digits to the large display. Nothing spins:
// events run between ticks.
class Stopwatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 10;

    Stopwatch(ProgramState& state, const MonotonicClock& clock, QObject* parent = nullptr);

    void setDisplay(DisplaySink* display);
    DisplaySink& display() const { return *m_display; }

    // Start or stop according to whether the clock runs.
    void startStop();
    void start();
    void stop();
    // Stops and zeroes the clock; resetDone() asks for the readings to be cleared.
    void reset();
    // One tick of the run loop. Public so that tests drive it with an injected clock.
    void tick();
    // Takes the resolution from the resolution box's text and re-derives what depends on it.
    void subsecAdjust(const QString& resolutionText);
    // The look of the large display: 0 = LCD, 1 = LED.
    void setDisplayStyle(int style);
    // Colours of the current look, for the display and the flash restore.
    quint32 lookBackground() const;
    quint32 lookLit() const;

    // What happens at the 100-hour roll-over. The panel sets this to its programmatic presses
    // of Reset and Start; by default the clock resets and starts itself.
    void setRollOver(std::function<void()> rollOver) { m_rollOver = std::move(rollOver); }

    bool isRunning() const { return m_running == 1; }
    QString panelText() const { return m_panelText; }

    // Clock state kept by the panel in the original design.
    qint32 CurrentCs() const { return m_currentCs; }
    int StopRequest() const { return m_stopRequest; }
    int PanelState() const { return m_panelState; }
    void setPanelState(int s) { m_panelState = s; }
    int Running() const { return m_running; }
    int DisplayStyle() const { return m_displayStyle; }
    QString CentiText() const { return m_centiText; }
    const std::array<int, 8>& Digits() const { return m_digits; }
    const std::array<int, 2>& SubDigits() const { return m_subDigits; }

Q_SIGNALS:
    void ticked();            // panelText() changed
    void started();           // caption "Stop", Reset and Snap enabled, set-time and save disabled
    void stopped();           // caption "Start", set-time and save enabled
    void resetDone();         // caption "Start", idle text, Reset and Snap disabled; clear readings
    void resolutionChanged(); // re-render the readings' time texts

private:
    void applyRunColours();
    void publishSubSec(int centiRemainder);

    ProgramState& m_state;
    const MonotonicClock& m_clock;
    NullDisplay m_nullDisplay;
    DisplaySink* m_display = &m_nullDisplay;
    QTimer m_timer;
    std::function<void()> m_rollOver;

    qint64 m_startMs = 0;
    qint32 m_currentCs = 0;
    int m_stopRequest = 0;
    int m_panelState = 2;
    int m_running = 0;
    int m_displayStyle = 0;
    QString m_centiText;
    QString m_panelText = QStringLiteral("00:00:00:00");
    std::array<int, 8> m_digits{};
    std::array<int, 2> m_subDigits{};
};

} // namespace cfx
