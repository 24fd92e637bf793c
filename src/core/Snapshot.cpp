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
    auto append = [&](qint32 cs, bool stoodStill, const QString& tag, bool prune) {
        const bool ok = readings.appendReading(cs, stoodStill, tag, prune, clockText) ==
                        Session::Append::Appended;
        if (!ok && hooks.reportFull)
            hooks.reportFull();
        return SnapResult{ok, !ok};
    };
    auto stopSnapping = [&] {
        clock.setPanelState(PanelState::StoppedSnapped);
        if (hooks.disableSnap)
            hooks.disableSnap();
    };

    SnapResult result;
    if (clock.customTimePending()) {
        result = append(clock.baseCs(), true, QString::number(clock.customTime().subSecCs), true);
        stopSnapping();
    } else if (clock.panelState() == PanelState::Running) {
        result = append(clock.currentCs(), false, clock.centiText(), clock.pruneOnSnap());
    } else if (clock.panelState() == PanelState::Stopped) {
        result = append(clock.currentCs(), true, clock.centiText(), clock.pruneOnSnap());
        stopSnapping();
    }
    clock.setCustomTimePending(false);
    clock.setPruneOnSnap(false);

    readings.refreshReadings();
    if (flash && hooks.snapfoto)
        hooks.snapfoto();
    return result;
}

} // namespace cfx
