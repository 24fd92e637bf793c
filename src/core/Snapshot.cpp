#include "core/Snapshot.h"

#include "core/DisplaySink.h"
#include "core/NumberText.h"
#include "core/ProgramState.h"
#include "core/ReadingsModel.h"
#include "core/TimeFormat.h"

namespace cfx {

SnapResult TakeSnap(ProgramState& state, SnapClock& clock, ReadingsModel& readings,
                    DisplaySink& display, const SnapHooks& hooks) {
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

    const QString clockText = readingTimeText(state.HourText, state.MinuteText, state.SecondText,
                                              state.SubSecText, false);
    auto append = [&](qint32 cs, bool stoodStill, const QString& tag, bool prune) {
        const bool ok = readings.AppendReading(cs, stoodStill, tag, prune, clockText) ==
                        ReadingsModel::Append::Appended;
        if (!ok && hooks.reportFull)
            hooks.reportFull();
        return SnapResult{ok, !ok};
    };
    auto stopSnapping = [&] {
        clock.panelState = 2;
        if (hooks.disableSnap)
            hooks.disableSnap();
    };

    SnapResult result;
    if (state.TimeSetPending == 1) {
        result = append(state.BaseCs, true, QString::number(state.SetSubSecCs), true);
        stopSnapping();
    } else if (clock.panelState == 0) {
        result = append(clock.currentCs, false, clock.centiText, state.PruneOnSnap == 1);
    } else if (clock.panelState == 1) {
        result = append(clock.currentCs, true, clock.centiText, state.PruneOnSnap == 1);
        stopSnapping();
    }
    state.TimeSetPending = 0;
    state.PruneOnSnap = 0;

    readings.RefreshReadings();
    if (flash && hooks.snapfoto)
        hooks.snapfoto();
    return result;
}

} // namespace cfx
