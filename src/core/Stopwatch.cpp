#include "core/Stopwatch.h"

#include "core/NumberText.h"
#include "core/TimeFormat.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace cfx {

qint64 SteadyClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Stopwatch::Stopwatch(const MonotonicClock& clock, QObject* parent)
    : QObject(parent), m_clock(clock) {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &Stopwatch::tick);
}

void Stopwatch::setDisplay(DisplaySink* display) {
    m_display = display ? display : &m_nullDisplay;
}

void Stopwatch::startStop() {
    if (m_running)
        stop();
    else
        start();
}

void Stopwatch::start() {
    m_stopRequested = false;
    m_panelState = PanelState::Running;
    m_running = true;
    m_customTimeShown = false;
    m_customTimePending = false;
    applyRunColours();
    m_startMs = m_clock.nowMs();
    m_timer.start();
    Q_EMIT started();
    Q_EMIT runningChanged(true);
}

void Stopwatch::stop() {
    m_timer.stop();
    m_baseCs = m_currentCs;
    m_running = false;
    m_stopRequested = true;
    m_panelState = PanelState::Stopped;
    applyRunColours();
    Q_EMIT stopped();
    Q_EMIT runningChanged(false);
}

void Stopwatch::reset() {
    m_timer.stop();
    m_running = false;
    m_panelText = cfx::kIdlePanelText;
    m_stopRequested = true;
    m_baseCs = 0;
    m_customTimeShown = false;
    m_display->setLedValues({});
    applyRunColours();
    m_currentCs = 0;
    Q_EMIT ticked();
    Q_EMIT resetDone();
    Q_EMIT runningChanged(false);
    m_customTimePending = false;
}

void Stopwatch::tick() {
    if (m_stopRequested) {
        m_timer.stop();
        return;
    }
    // The roll-over looks at the previous tick. A late tick can step over the exact
    // 100-hour value, so anything at or past it rolls over.
    if (m_currentCs >= cfx::kRollOverCs) {
        m_timer.stop();
        Q_EMIT rollOverDue();
        if (m_currentCs >= cfx::kRollOverCs) {
            reset();
            start();
        }
        return;
    }
    const qint64 elapsedMs = m_clock.nowMs() - m_startMs;
    const qint64 cs = cfx::roundHalfEven(static_cast<double>(elapsedMs) / 10.0) + m_baseCs;
    m_currentCs =
        static_cast<qint32>(std::clamp<qint64>(cs, 0, std::numeric_limits<qint32>::max()));
    m_elapsedCs = m_currentCs;

    const cfx::TimeFields f = cfx::timeFields(m_currentCs);
    m_hourText = f.hour;
    m_minuteText = f.minute;
    m_secondText = f.second;
    m_centiText = f.centi;
    m_panelText = cfx::panelTimeText(f);
    publishSubSec(m_currentCs % 100);
    m_digits = cfx::displayDigits(f, f.centi);
    std::array<int, 8> led = cfx::displayDigits(f, m_subSecText);
    m_display->setLedValues(led);
    Q_EMIT ticked();
}

void Stopwatch::publishSubSec(int centiRemainder) {
    m_subSecText = cfx::subSecText(centiRemainder, m_eventsPerSec);
    const QString& s = m_subSecText;
    m_subDigits = {s.size() > 0 ? s[0].digitValue() : 0, s.size() > 1 ? s[1].digitValue() : 0};
}

void Stopwatch::setResolution(const QString& resolutionText) {
    m_resolutionText = resolutionText;
    m_eventsPerSec = cfx::eventsPerSecOf(resolutionText);
    const int remainder = m_customTimeShown ? m_customTime.subSecCs : m_currentCs % 100;
    publishSubSec(remainder);
    std::array<int, 8> led = m_display->ledValues();
    led[6] = m_subDigits[0];
    led[7] = m_subDigits[1];
    m_display->setLedValues(led);
    Q_EMIT resolutionChanged();
    m_display->setResolutionOne(m_eventsPerSec == 1);
}

void Stopwatch::applyCustomTime(const CustomTime& time, const std::array<QString, 4>& fieldTexts) {
    m_customTime = time;
    m_baseCs = time.subSecCs + time.hours * 360000 + time.minutes * 6000 + time.seconds * 100;
    m_hourText = fieldTexts[0];
    m_minuteText = fieldTexts[1];
    m_secondText = fieldTexts[2];
    m_subSecText = fieldTexts[3];
    // An all-zero time resets the clock instead: there is nothing to take as a reading, and the
    // panel keeps its idle text.
    m_customTimePending =
        std::any_of(fieldTexts.begin(), fieldTexts.end(), [](const QString& text) {
            return std::any_of(text.begin(), text.end(), [](QChar c) { return c != u'0'; });
        });
    m_pruneOnSnap = true;
    m_customTimeShown = true;
    if (m_customTimePending) {
        // The panel shows the time the next start counts on from, as a tick would.
        m_panelText = cfx::panelTimeText(cfx::timeFields(m_baseCs));
        Q_EMIT ticked();
    }
    Q_EMIT customTimeApplied();
}

Stopwatch::SnapReading Stopwatch::takeSnapReading() {
    SnapReading reading;
    bool standing = false;
    if (m_customTimePending) {
        reading = {true, m_baseCs, true, QString::number(m_customTime.subSecCs), true};
        standing = true;
    } else if (m_panelState == PanelState::Running) {
        reading = {true, m_currentCs, false, m_centiText, m_pruneOnSnap};
    } else if (m_panelState == PanelState::Stopped) {
        reading = {true, m_currentCs, true, m_centiText, m_pruneOnSnap};
        standing = true;
    }
    m_customTimePending = false;
    m_pruneOnSnap = false;
    if (standing) {
        m_panelState = PanelState::StoppedSnapped;
        Q_EMIT standingReadingTaken();
    }
    return reading;
}

void Stopwatch::setLook(DisplayLook look) {
    m_look = look;
    m_display->setColours(lookBackground(), lookLit());
    Q_EMIT lookChanged();
}

quint32 Stopwatch::lookBackground() const {
    return m_look == DisplayLook::Led ? DisplaySink::kBlack : DisplaySink::kLightGrey;
}

quint32 Stopwatch::lookLit() const {
    if (m_look != DisplayLook::Led)
        return DisplaySink::kBlack;
    return m_running ? DisplaySink::kGreen : DisplaySink::kRed;
}

void Stopwatch::applyRunColours() {
    // Only the LED look changes with the clock: green while running, red otherwise.
    if (m_look == DisplayLook::Led)
        m_display->setColours(lookBackground(), lookLit());
}

} // namespace cfx
