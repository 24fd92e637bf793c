#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace cfx {

class ReadingsModel;

inline const QString kReportFileName = QStringLiteral("CFXReport.txt");
inline const QString kRawCsvFileName = QStringLiteral("CFXRawCSV.txt");

// What the stopwatch report prints besides the readings.
struct ReportHeader {
    QDateTime created;      // when the report is written
    QString resolutionText; // the resolution box's text
    QString sessionStamp;   // when the session's first reading was taken
};

// The lines of "CFXReport.txt" (the gap statistics must have been computed).
QStringList stopwatchReportLines(const ReadingsModel& model, const ReportHeader& header);
// The lines of "CFXRawCSV.txt": the readings grid, header row included, every cell followed by
// a comma, the comments of records in double quotes.
QStringList rawCsvLines(const ReadingsModel& model);

struct ReportWriteResult {
    bool ok = true;
    QString path;  // the file that failed
    QString error; // why
    // A sentence for a message box: the file and the reason.
    QString message() const;
};

// Computes the gap statistics and writes both files into the folder. Both are written to
// temporary files first and renamed into place only when both were written completely, so a
// failure leaves the previous files as they were.
ReportWriteResult writeStopwatchReport(const QString& folder, ReadingsModel& model,
                                       const ReportHeader& header, int eventsPerSec);

// "Write to Text File & Clear": writes both files and, only when both succeeded, empties the
// report, so that the next reading starts a new session. On failure nothing is cleared.
ReportWriteResult writeReportAndClear(const QString& folder, ReadingsModel& model,
                                      const ReportHeader& header, int eventsPerSec);

} // namespace cfx
