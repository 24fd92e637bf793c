#include "core/SetTime.h"

#include "core/NumberText.h"

#include <algorithm>

namespace cfx {

int SetTimeModel::subSecMax(int eventsPerSec) {
    return std::max(0, eventsPerSec - 1);
}

QString SetTimeModel::boxText(int value) {
    return twoDigits(value).left(2);
}

int SetTimeModel::subSecCs(int count, int eventsPerSec) {
    if (eventsPerSec <= 0) {
        return 0;
    }
    return static_cast<int>((static_cast<qint64>(count) * 100) / eventsPerSec);
}

SetTimeValues SetTimeModel::preset(const Stopwatch& clock) const {
    const bool neverSet =
        std::all_of(m_timeDigits.begin(), m_timeDigits.end(), [](int d) { return d == 0; });
    if (neverSet) {
        return {0, 1, 0, 0};
    }
    const CustomTime last = clock.customTime();
    return {last.hours, last.minutes, last.seconds, 0};
}

std::array<int, 8> SetTimeModel::apply(Stopwatch& clock, DisplaySink& display, SetTimePanel& panel,
                                       SetTimeValues v) {
    v.hours = std::clamp(v.hours, 0, kMaxHours);
    v.minutes = std::clamp(v.minutes, 0, kMaxMinutes);
    v.seconds = std::clamp(v.seconds, 0, kMaxSeconds);
    v.subSec = std::clamp(v.subSec, 0, subSecMax(clock.eventsPerSec()));

    const QString texts[4] = {boxText(v.hours), boxText(v.minutes), boxText(v.seconds),
                              boxText(v.subSec)};

    display.setLedIdle(false);

    for (int i = 0; i < 8; ++i) {
        m_timeDigits[i] = texts[i / 2][i % 2].digitValue();
    }
    const bool anyDigit =
        std::any_of(m_timeDigits.begin(), m_timeDigits.end(), [](int d) { return d != 0; });
    if (anyDigit) {
        display.setLedValues(m_timeDigits);
    } else {
        panel.pressReset();
    }

    // The sub-second count is at the applied resolution (the one the bar's range came from).
    const int sub = subSecCs(v.subSec, clock.eventsPerSec());
    clock.setBaseCs(sub + v.hours * 360000 + v.minutes * 6000 + v.seconds * 100);
    clock.setCustomTime({v.hours, v.minutes, v.seconds, sub});
    clock.setTimeTexts(texts[0], texts[1], texts[2], texts[3]);
    clock.setCustomTimePending(true);
    clock.setPruneOnSnap(true);
    clock.setCustomTimeShown(true);

    if (anyDigit) {
        clock.showBaseTime();
        panel.setSnapEnabled(true);
        panel.setResetEnabled(true);
    } else {
        panel.setSnapEnabled(false);
    }
    return m_timeDigits;
}

} // namespace cfx
