#pragma once

#include "core/DisplaySink.h"
#include "core/Stopwatch.h"

#include <QString>

#include <array>

namespace cfx {

// A custom time as the dialog's four bars hold it.
struct SetTimeValues {
    int hours = 0;   // 0..99
    int minutes = 0; // 0..59
    int seconds = 0; // 0..59
    int subSec = 0;  // sub-second events, 0 .. events per second - 1

    friend bool operator==(const SetTimeValues&, const SetTimeValues&) = default;
};

// The set-time dialog's logic: the presets it opens with and Apply. One instance lives as long as
// the dialog, so the digits of the last Apply survive closing and reopening it.
class SetTimeModel {
public:
    static constexpr int kMaxHours = 99;
    static constexpr int kMaxMinutes = 59;
    static constexpr int kMaxSeconds = 59;

    // Largest sub-second count at a resolution (the bar's top value); never below 0.
    static int subSecMax(int eventsPerSec);

    // The text of a value box: at least two digits; a longer value (a sub-second count above 99 at
    // a resolution above 100) keeps its first two, as every sub-second field does.
    static QString boxText(int value);

    // A sub-second count at a resolution in centiseconds, truncated. Integer arithmetic, so that at
    // 100 events per second every count is taken exactly as centiseconds.
    static int subSecCs(int count, int eventsPerSec);

    // The values the bars open with: 00:01:00 until an Apply set a time other than zero, after
    // that the hours, minutes and seconds of the last Apply; the sub-second bar always opens at 0.
    SetTimeValues preset(const Stopwatch& clock) const;

    // Apply: the digits go to the large display (all zero resets the stopwatch instead) and the
    // time becomes the clock's custom time (Stopwatch::applyCustomTime). Out-of-range values are
    // clamped to the bars' ranges first. Returns the eight digits applied.
    std::array<int, 8> apply(Stopwatch& clock, DisplaySink& display, SetTimeValues values);

private:
    std::array<int, 8> m_timeDigits{}; // of the last Apply, all 0 before the first
};

} // namespace cfx
