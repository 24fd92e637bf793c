#include "core/Snapshot.h"

#include "core/DisplaySink.h"
#include "core/NumberText.h"
#include "core/Session.h"
#include "core/Stopwatch.h"
#include "core/TimeFormat.h"

namespace cfx {

SnapResult takeSnap(Stopwatch& clock, Session& readings, DisplaySink& display,
                    const SnapHooks& hooks) {
    if (readings.stampPending())
        readings.setSessionStamp(
            generalDate(hooks.now ? hooks.now() : QDateTime::currentDateTime()));
    readings.setStampPending(false);

    const bool flash = hooks.flashAndSound && hooks.flashAndSound();
    if (flash) {
        if (hooks.playAlert)
            hooks.playAlert();
        display.setBackground(DisplaySink::kWhite);
    }

    const QString clockText = readingTimeText(clock.hourText(), clock.minuteText(),
                                              clock.secondText(), clock.subSecText(), false);
    SnapResult result;
    const Stopwatch::SnapReading reading = clock.takeSnapReading();
    if (reading.taken) {
        result.appended =
            readings.appendReading(reading.cs, reading.stoodStill, reading.tag, reading.prune,
                                   clockText) == Session::Append::Appended;
        result.refused = !result.appended;
        if (result.refused && hooks.reportFull)
            hooks.reportFull();
    }

    readings.refreshReadings();
    if (flash && hooks.endFlash)
        hooks.endFlash();
    return result;
}

} // namespace cfx
