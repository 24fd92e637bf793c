#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <functional>

namespace cfx {

class DisplaySink;
class Session;
class Stopwatch;

// The parts of a snap that live elsewhere, each optional.
struct SnapHooks {
    std::function<bool()> flashAndSound; // the "flash and sound" option is on
    std::function<void()> playAlert;     // starts the alert sound, without waiting
    std::function<void()> endFlash;      // restores the large display after the flash
    std::function<QDateTime()> now;      // for the session stamp
    std::function<void()> reportFull;    // a reading was refused because the report is full
};

struct SnapResult {
    bool appended = false;
    bool refused = false; // the report is full
};

// Takes one reading of the clock's last tick: stamps the session on its first reading, flashes and
// sounds when asked, appends the reading by the clock's state (a custom time not yet started,
// running, stopped, or stopped and already snapped) and refreshes the report.
SnapResult takeSnap(Stopwatch& clock, Session& readings, DisplaySink& display,
                    const SnapHooks& hooks);

} // namespace cfx
