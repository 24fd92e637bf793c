#pragma once

#include "core/io/DocxWriter.h"

#include <QString>

namespace cfx {

class GridModel;
class ReadingsModel;

struct ReportHeader;

// What the stopwatch document prints besides the readings.
struct WordReportFacts {
    QString resolutionText; // the resolution box's text
    QString sessionStamp;   // when the session's first reading was taken
    QString createdAt;      // general date of the moment the document is made
    QString longestGap;     // the gap statistics, already formatted
    QString shortestGap;
    QString averageGap;
};

// The stopwatch document: its title, the readings as a five-column table ("#", "Time", "%",
// "Time Gap", "Comment") read from the readings grid and the gaps grid, the note on the "S"
// prefix, the resolution, session and creation lines and the gap statistics. The gaps must have
// been computed for the current readings.
docx::Document stopwatchWordDocument(const GridModel& results, const GridModel& gaps,
                                     const WordReportFacts& facts);

// The stopwatch document of the current readings. Recomputes the gaps and the gap statistics
// first (into the hidden gaps grid and the statistics strings); the readings, their order,
// marks and comments stay as they are.
docx::Document stopwatchWordDocument(ReadingsModel& model, const ReportHeader& header,
                                     int eventsPerSec);

} // namespace cfx
