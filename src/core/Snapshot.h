#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <functional>

namespace cfx {

class DisplaySink;
class ReadingsModel;
struct ProgramState;

// What a snap needs of the clock: the values of the last completed tick and the panel's state
// (0 running, 1 stopped, 2 stopped and the one reading allowed while stopped taken).
struct SnapClock {
    qint32 currentCs = 0;
    QString centiText; // two-digit centiseconds of the last tick
    int panelState = 2;
};

// The parts of a snap that live elsewhere, each optional.
struct SnapHooks {
    std::function<bool()> flashAndSound; // the "flash and sound" option is on
    std::function<void()> playAlert;     // starts the alert sound, without waiting
    std::function<void()> snapfoto;      // restores the large display after the flash
    std::function<void()> disableSnap;   // the Snap button
    std::function<QDateTime()> now;      // for the session stamp
    std::function<void()> reportFull;    // a reading was refused because the report is full
};

struct SnapResult {
    bool appended = false;
    bool refused = false; // the report is full
};

// Takes one reading: stamps the session on its first reading, flashes and sounds when asked,
// appends the reading by the clock's state (a custom time not yet started, running, stopped, or
// stopped and already snapped) and refreshes the report.
SnapResult TakeSnap(ProgramState& state, SnapClock& clock, ReadingsModel& readings,
                    DisplaySink& display, const SnapHooks& hooks);

} // namespace cfx
