#pragma once

#include <QObject>
#include <QTimer>

namespace cfx {

class Session;
class Stopwatch;
class TrayIcon;

// The tray icon's status line: the running time and the number of readings. Set at once on a
// start, a stop, a reset and each change of the readings, and once a second while the clock runs
// with the panel in the tray; nothing at the clock's ticks.
class TrayStatus : public QObject {
    Q_OBJECT
public:
    TrayStatus(const Stopwatch& clock, const Session& readings, TrayIcon& tray,
               QObject* parent = nullptr);

    void update();

private:
    const Stopwatch& m_clock;
    const Session& m_readings;
    TrayIcon& m_tray;
    QTimer m_timer;
};

} // namespace cfx
