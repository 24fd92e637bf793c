#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace cfx {

// Time strings of the stopwatch. Every time is an integer count of centiseconds.

inline constexpr qint32 kRollOverCs = 36'000'000; // 100 hours
inline const QString kIdlePanelText = QStringLiteral("00:00:00:00");

struct TimeFields {
    QString hour;   // at least two digits
    QString minute; // "00".."59"
    QString second; // "00".."59"
    QString centi;  // "00".."99"
};

// Hours, minutes, seconds and centiseconds of a non-negative centisecond count.
TimeFields timeFields(qint32 cs);

// The sub-second field: whole sub-second events elapsed in the current second at the given
// resolution, two digits; with three or more digits (a resolution above 100) its first two.
QString subSecText(int centiRemainder, int eventsPerSec);

// "HH:MM:SS.cc" as the panel shows it.
QString panelTimeText(const TimeFields& f);

// "HH:MM:SS.ff" as a reading shows it, with "S" in front for a reading taken at a standing clock.
QString readingTimeText(const QString& hour, const QString& minute, const QString& second,
                        const QString& subSec, bool stoodStill);

// A reading's time text re-rendered at another resolution: the sub-second field is recomputed
// from the reading's centisecond tag ("00" stays "00"); hours, minutes, seconds and an "S" stay.
QString rerenderReadingText(const QString& timeText, const QString& tag, int eventsPerSec);

// A centisecond count as a time string at a resolution (hours take three digits from 100 hours;
// the sub-second field is not cut to two digits).
QString formatCs(qint32 cs, int eventsPerSec);

// The resolution a resolution text stands for: its numeric value rounded half to even, kept
// within 0 .. 32767 (a 16-bit count; a negative one would give negative sub-second fields).
qint16 eventsPerSecOf(const QString& resolutionText);

// The eight large-display digits: hour, minute, second tens and units, then the two sub-second
// digits.
std::array<int, 8> displayDigits(const TimeFields& f, const QString& subSec);

} // namespace cfx
