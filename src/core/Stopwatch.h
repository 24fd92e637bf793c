#pragma once

#include "core/DisplaySink.h"

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

// Where the clock stands, as the snaps see it: running, stopped (one standing reading may still
// be taken) or stopped with that reading taken.
enum class PanelState { Running, Stopped, StoppedSnapped };

// The hours, minutes, seconds and sub-second centiseconds of the last custom time applied in the
// set-time dialog.
struct CustomTime {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int subSecCs = 0;

    friend bool operator==(const CustomTime&, const CustomTime&) = default;
};

// The stopwatch's clock. While running, a precise 10 ms timer drives one tick: the elapsed time
// since the last start plus the base, in centiseconds, rounded half to even. Each tick republishes
// the elapsed time and the time fields and hands the eight digits to the large display. Nothing
// spins: events run between ticks.
class Stopwatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 10;

    explicit Stopwatch(const MonotonicClock& clock, QObject* parent = nullptr);

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

    bool isRunning() const { return m_running; }
    QString panelText() const { return m_panelText; }

    // The centiseconds of the last tick; 0 after a reset.
    qint32 currentCs() const { return m_currentCs; }
    // The centiseconds of the last tick, kept through a reset (what the measure windows read).
    qint32 elapsedCs() const { return m_elapsedCs; }
    // The centiseconds counted up to the last stop, reset, custom time or loaded session; a start
    // counts on from here.
    qint32 baseCs() const { return m_baseCs; }
    void setBaseCs(qint32 cs) { m_baseCs = cs; }
    // The standing clock's panel text becomes the base time (a custom time just set), shown at
    // once rather than at the next start's first tick.
    void showBaseTime();
    // Sub-second events per second, from the resolution box.
    int eventsPerSec() const { return m_eventsPerSec; }

    PanelState panelState() const { return m_panelState; }
    void setPanelState(PanelState state) { m_panelState = state; }
    // 0 = LCD, 1 = LED.
    int displayStyle() const { return m_displayStyle; }

    // The fields of the last displayed time: two-digit hours, minutes and seconds, the sub-second
    // field at the resolution, and the two-digit centiseconds of the last tick.
    QString hourText() const { return m_hourText; }
    QString minuteText() const { return m_minuteText; }
    QString secondText() const { return m_secondText; }
    QString subSecText() const { return m_subSecText; }
    QString centiText() const { return m_centiText; }
    void setTimeTexts(const QString& hour, const QString& minute, const QString& second,
                      const QString& subSec);
    const std::array<int, 8>& digits() const { return m_digits; }
    const std::array<int, 2>& subDigits() const { return m_subDigits; }

    // A custom time from the set-time dialog. customTime() holds the last one applied.
    // customTimeShown(): the sub-second field shows the custom time's sub-second until the next
    // start or reset. customTimePending(): the next snap takes the custom time as a standing
    // reading. pruneOnSnap(): the next snap first removes the readings at or after its time.
    CustomTime customTime() const { return m_customTime; }
    void setCustomTime(const CustomTime& time) { m_customTime = time; }
    bool customTimeShown() const { return m_customTimeShown; }
    void setCustomTimeShown(bool shown) { m_customTimeShown = shown; }
    bool customTimePending() const { return m_customTimePending; }
    void setCustomTimePending(bool pending) { m_customTimePending = pending; }
    bool pruneOnSnap() const { return m_pruneOnSnap; }
    void setPruneOnSnap(bool prune) { m_pruneOnSnap = prune; }

Q_SIGNALS:
    void ticked();            // panelText() changed
    void started();           // caption "Stop", Reset and Snap enabled, set-time and save disabled
    void stopped();           // caption "Start", set-time and save enabled
    void resetDone();         // caption "Start", idle text, Reset and Snap disabled; clear readings
    void resolutionChanged(); // re-render the readings' time texts

private:
    void applyRunColours();
    void publishSubSec(int centiRemainder);

    const MonotonicClock& m_clock;
    NullDisplay m_nullDisplay;
    DisplaySink* m_display = &m_nullDisplay;
    QTimer m_timer;
    std::function<void()> m_rollOver;

    qint64 m_startMs = 0;
    qint32 m_currentCs = 0;
    qint32 m_elapsedCs = 0;
    qint32 m_baseCs = 0;
    qint16 m_eventsPerSec = 10;
    bool m_stopRequested = false;
    PanelState m_panelState = PanelState::StoppedSnapped;
    bool m_running = false;
    int m_displayStyle = 0;
    QString m_hourText, m_minuteText, m_secondText, m_subSecText;
    QString m_centiText;
    CustomTime m_customTime;
    bool m_customTimeShown = false;
    bool m_customTimePending = false;
    bool m_pruneOnSnap = false;
    QString m_panelText = QStringLiteral("00:00:00:00");
    std::array<int, 8> m_digits{};
    std::array<int, 2> m_subDigits{};
};

} // namespace cfx
