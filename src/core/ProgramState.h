#pragma once

#include <QString>
#include <QtGlobal>

namespace cfx {

// Program-wide state: one instance, owned by the application, reached by every window through
// the Program object. Flags hold 1 or 0.
struct ProgramState {
    // Clock (timing engine).
    qint32 ElapsedCs = 0; // elapsed centiseconds of the main clock, republished every tick
    qint32 BaseCs = 0;    // centiseconds accumulated up to the last stop, reset, set time or load
    qint16 EventsPerSec = 10;                             // sub-second resolution
    QString HourText, MinuteText, SecondText, SubSecText; // fields of the last displayed time

    // Custom time from the set-time dialog.
    qint16 TimeWasSet = 0;
    qint16 TimeSetPending = 0;
    qint16 PruneOnSnap = 0;
    qint16 SetSubSecCs = 0;
    qint16 SetHours = 0, SetMinutes = 0, SetSeconds = 0;

    // The folder for the hotkey file and every report.
    QString DataDir;
};

} // namespace cfx
