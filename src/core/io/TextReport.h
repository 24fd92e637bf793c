#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace cfx {

class Session;

inline const QString kReportFileName = QStringLiteral("CFXReport.txt");
inline const QString kRawCsvFileName = QStringLiteral("CFXRawCSV.txt");

// What the stopwatch report prints besides the readings.
struct ReportHeader {
    QDateTime created;      // when the report is written
    QString resolutionText; // the resolution box's text
    QString sessionStamp;   // when the session's first reading was taken
};

// The lines of "CFXReport.txt", gaps and gap statistics at the resolution; when readings are
// excluded, a last line names them.
QStringList stopwatchReportLines(const Session& session, const ReportHeader& header,
                                 int eventsPerSec);
// The excluded readings by their numbers as the report shows them ("#2, #5"); empty when none.
QString excludedReadingsText(const Session& session);
// The lines of "CFXRawCSV.txt": the column titles, then one line per reading, every text
// followed by a comma, the comments in double quotes; when readings are excluded, a last line
// "Excluded," with their numbers.
QStringList rawCsvLines(const Session& session);

struct ReportWriteResult {
    bool ok = true;
    QString path;  // the file that failed
    QString error; // why
    // A sentence for a message box: the file and the reason.
    QString message() const;
};

// Writes both files into the folder. Both are written to
// temporary files first and renamed into place only when both were written completely, so a
// failure leaves the previous files as they were.
ReportWriteResult writeStopwatchReport(const QString& folder, const Session& session,
                                       const ReportHeader& header, int eventsPerSec);

// "Write to Text File & Clear": writes both files and, only when both succeeded, empties the
// report, so that the next reading starts a new session. On failure nothing is cleared.
ReportWriteResult writeReportAndClear(const QString& folder, Session& session,
                                      const ReportHeader& header, int eventsPerSec);

} // namespace cfx
