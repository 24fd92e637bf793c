#pragma once

#include <QString>
#include <QtGlobal>

namespace cfx {

// One reading of the report. A snap fills every field from the clock; a reading opened from a
// session file keeps the file's texts exactly as they were written, so that saving and the
// reports give them back byte for byte.
struct Reading {
    qint32 timeCs = 0;       // the clock's time when it was taken
    bool stoodStill = false; // taken while the clock stood still ("S" in front of the time)
    bool excluded = false;   // left out of the average, longest and shortest gap
    QString tag;             // the centisecond digits the sub-second text is rendered from
    QString comment;
    QString timeText;       // as shown and written, "S" included
    QString number;         // the record number as shown and written
    QString timeCsText;     // the time as a session file stores it
    double timeValue = 0.0; // its numeric value: a loaded text may give a fraction
    QString storedShare;    // a loaded reading's share, shown until the shares are next computed
};

// The columns a report shows and writes for each reading.
enum class ReadingColumn { Number, Time, Share, Comment };
inline constexpr int kReadingColumns = 4;

// The column titles of the report and the raw CSV file.
QString readingColumnTitle(ReadingColumn column);

// A time text without the "S" (either case) that marks a reading taken at a standing clock.
QString withoutStandingMark(const QString& timeText);

} // namespace cfx
