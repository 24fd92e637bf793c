#pragma once

#include "core/DisplaySink.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>

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

// The two looks of the large display: grey with black digits, or black with green digits while
// running and red ones otherwise.
enum class DisplayLook { Lcd, Led };

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
    // Takes the resolution as the resolution box's text and re-derives what depends on it. The
    // text is kept as given, also one the box does not list: reports and session files carry it.
    void setResolution(const QString& resolutionText);
    QString resolutionText() const { return m_resolutionText; }
    void setLook(DisplayLook look);
    DisplayLook look() const { return m_look; }
    // Colours of the current look, for the display and the flash restore.
    quint32 lookBackground() const;
    quint32 lookLit() const;

    bool isRunning() const { return m_running; }
    QString panelText() const { return m_panelText; }

    // The centiseconds of the last tick; 0 after a reset.
    qint32 currentCs() const { return m_currentCs; }
    // The centiseconds of the last tick, kept through a reset (what the measure windows read).
    qint32 elapsedCs() const { return m_elapsedCs; }
    // The centiseconds counted up to the last stop, reset, custom time or loaded session; a start
    // counts on from here.
    qint32 baseCs() const { return m_baseCs; }
    // The stopped time of an opened or restored session.
    void setBaseCs(qint32 cs) { m_baseCs = cs; }
    // Sub-second events per second, from the resolution box.
    int eventsPerSec() const { return m_eventsPerSec; }

    PanelState panelState() const { return m_panelState; }

    // The fields of the last displayed time: two-digit hours, minutes and seconds, the sub-second
    // field at the resolution, and the two-digit centiseconds of the last tick.
    QString hourText() const { return m_hourText; }
    QString minuteText() const { return m_minuteText; }
    QString secondText() const { return m_secondText; }
    QString subSecText() const { return m_subSecText; }
    QString centiText() const { return m_centiText; }
    const std::array<int, 8>& digits() const { return m_digits; }

    // A custom time from the set-time dialog, with the texts of its four fields (hours, minutes,
    // seconds, sub-second). It becomes the base the next start counts on from and the panel's
    // time; unless every field is zero, the next snap takes it as a standing reading. Either way
    // that snap first removes the readings at or after its time.
    void applyCustomTime(const CustomTime& time, const std::array<QString, 4>& fieldTexts);
    // customTime() holds the last one applied. customTimeShown(): the sub-second field shows the
    // custom time's sub-second until the next start or reset. customTimePending(): the next snap
    // takes the custom time as a standing reading. pruneOnSnap(): the next snap first removes the
    // readings at or after its time.
    CustomTime customTime() const { return m_customTime; }
    bool customTimeShown() const { return m_customTimeShown; }
    bool customTimePending() const { return m_customTimePending; }
    bool pruneOnSnap() const { return m_pruneOnSnap; }

    // What a snap takes now: the custom time not yet started, the running time, the stopped time
    // (once), or nothing once the stopped time has been taken.
    struct SnapReading {
        bool taken = false;
        qint32 cs = 0;
        bool stoodStill = false;
        QString tag;
        bool prune = false;
    };
    // Takes the reading for a snap: the custom time and the prune are used up, and a standing
    // reading ends the snaps until the next start (standingReadingTaken()).
    SnapReading takeSnapReading();

Q_SIGNALS:
    void ticked();            // panelText() changed
    void started();           // caption "Stop", Reset and Snap enabled, set-time and save disabled
    void stopped();           // caption "Start", set-time and save enabled
    void resetDone();         // caption "Start", idle text, Reset and Snap disabled; clear readings
    void resolutionChanged(); // re-render the readings' time texts
    void customTimeApplied(); // caption "Start"; Snap and Reset enabled unless every field was 0
    void standingReadingTaken(); // the stopped or custom time was snapped: Snap disabled
    void lookChanged();
    void runningChanged(bool running); // with each start, stop and reset
    // 100 hours were reached: the owner of the commands resets and starts the clock; left as it
    // is, the clock does both itself.
    void rollOverDue();

private:
    void applyRunColours();
    void publishSubSec(int centiRemainder);

    const MonotonicClock& m_clock;
    NullDisplay m_nullDisplay;
    DisplaySink* m_display = &m_nullDisplay;
    QTimer m_timer;

    qint64 m_startMs = 0;
    qint32 m_currentCs = 0;
    qint32 m_elapsedCs = 0;
    qint32 m_baseCs = 0;
    qint16 m_eventsPerSec = 10;
    QString m_resolutionText = QStringLiteral("10");
    bool m_stopRequested = false;
    PanelState m_panelState = PanelState::StoppedSnapped;
    bool m_running = false;
    DisplayLook m_look = DisplayLook::Lcd;
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
