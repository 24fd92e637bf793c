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
    m_rollOver = [this] {
        reset();
        start();
    };
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
}

void Stopwatch::stop() {
    m_timer.stop();
    m_baseCs = m_currentCs;
    m_running = false;
    m_stopRequested = true;
    m_panelState = PanelState::Stopped;
    applyRunColours();
    Q_EMIT stopped();
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
    m_customTimePending = false;
}

void Stopwatch::showBaseTime() {
    if (m_running)
        return;
    m_panelText = cfx::panelTimeText(cfx::timeFields(m_baseCs));
    Q_EMIT ticked();
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
        m_rollOver();
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

void Stopwatch::subsecAdjust(const QString& resolutionText) {
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

void Stopwatch::setTimeTexts(const QString& hour, const QString& minute, const QString& second,
                             const QString& subSec) {
    m_hourText = hour;
    m_minuteText = minute;
    m_secondText = second;
    m_subSecText = subSec;
}

void Stopwatch::setDisplayStyle(int style) {
    m_displayStyle = style == 1 ? 1 : 0;
    m_display->setColours(lookBackground(), lookLit());
}

quint32 Stopwatch::lookBackground() const {
    return m_displayStyle == 1 ? DisplaySink::kBlack : DisplaySink::kLightGrey;
}

quint32 Stopwatch::lookLit() const {
    if (m_displayStyle != 1)
        return DisplaySink::kBlack;
    return m_running ? DisplaySink::kGreen : DisplaySink::kRed;
}

void Stopwatch::applyRunColours() {
    // Only the LED look changes with the clock: green while running, red otherwise.
    if (m_displayStyle == 1)
        m_display->setColours(lookBackground(), lookLit());
}

} // namespace cfx
