#include "app/TrayStatus.h"

#include "core/Session.h"
#include "core/Stopwatch.h"
#include "core/TimeFormat.h"
#include "platform/TrayIcon.h"

namespace cfx {

TrayStatus::TrayStatus(const Stopwatch& clock, const Session& readings, TrayIcon& tray,
                       QObject* parent)
    : QObject(parent), m_clock(clock), m_readings(readings), m_tray(tray) {
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &TrayStatus::update);
    for (auto event : {&Stopwatch::started, &Stopwatch::stopped, &Stopwatch::resetDone})
        connect(&m_clock, event, this, &TrayStatus::update);
    connect(&m_readings, &Session::appended, this, &TrayStatus::update);
    connect(&m_readings, &Session::cleared, this, &TrayStatus::update);
    connect(&m_readings, &Session::loaded, this, &TrayStatus::update);
}

void TrayStatus::update() {
    if (!m_tray.inTray()) {
        m_timer.stop();
        return;
    }
    const TimeFields t = timeFields(m_clock.elapsedCs());
    const QString time = t.hour + QLatin1Char(':') + t.minute + QLatin1Char(':') + t.second;
    m_tray.setStatus((m_clock.isRunning() ? tr("Running: %1") : tr("Stopped: %1")).arg(time) +
                     QStringLiteral("   ") + tr("Readings: %1").arg(m_readings.recordCount()));
    if (!m_clock.isRunning())
        m_timer.stop();
    else if (!m_timer.isActive())
        m_timer.start();
}

} // namespace cfx
