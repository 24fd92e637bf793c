#include "core/io/TextReport.h"

#include "core/GapStatistics.h"
#include "core/NumberText.h"
#include "core/Session.h"
#include "core/io/LineFile.h"
#include "core/io/SafeFile.h"

#include <QDir>

namespace cfx {

QStringList stopwatchReportLines(const Session& session, const ReportHeader& header,
                                 int eventsPerSec) {
    const GapStatisticTexts stats = gapStatisticTexts(computeGapStatistics(session, eventsPerSec),
                                                      eventsPerSec, kNotApplicable);
    const int n = session.recordCount();
    QStringList lines;
    lines.reserve(11 + 6 * n);
    lines << QStringLiteral("StopWatch Report created at: ") + generalDate(header.created)
          // Two lines of text written as one line.
          << QStringLiteral("Note: An 's' prefixed to Time indicates timer was\r\n"
                            "stopped when this reading was taken")
          << QString()
          << QStringLiteral("Timer resolution was set to ") + header.resolutionText +
                 QStringLiteral(" events per second")
          << QString()
          << QStringLiteral("This timing session was started at: ") + header.sessionStamp
          << QString();
    for (int r = 1; r <= n; ++r) {
        lines << QLatin1Char('#') + session.text(r, ReadingColumn::Number)
              << QStringLiteral("Time: ") + session.text(r, ReadingColumn::Time)
              << QStringLiteral("%: ") + session.text(r, ReadingColumn::Share)
              << QStringLiteral("Time Gap: ") + gapText(session, r, eventsPerSec);
        const QString comment = session.text(r, ReadingColumn::Comment);
        if (!comment.isEmpty())
            lines << QStringLiteral("Comment: ") + comment;
        lines << QString();
    }
    lines << QString() << QStringLiteral("Longest Time Gap: ") + stats.longest
          << QStringLiteral("Shortest Time Gap: ") + stats.shortest
          << QStringLiteral("Average Time Gap: ") + stats.average;
    // Only when some reading is left out, so a report without exclusions stays as it always was.
    const QString left = excludedReadingsText(session);
    if (!left.isEmpty())
        lines << QStringLiteral("Excluded from the statistics: ") + left;
    return lines;
}

QString excludedReadingsText(const Session& session) {
    QStringList numbers;
    for (int r = 1; r <= session.recordCount(); ++r) {
        if (session.isExcluded(r))
            numbers << QLatin1Char('#') + session.text(r, ReadingColumn::Number);
    }
    return numbers.join(QStringLiteral(", "));
}

QStringList rawCsvLines(const Session& session) {
    const int n = session.recordCount();
    QStringList lines;
    lines.reserve(n + 1);
    QString titles;
    for (int c = 0; c < kReadingColumns; ++c)
        titles += readingColumnTitle(static_cast<ReadingColumn>(c)) + QLatin1Char(',');
    lines << titles;
    for (int r = 1; r <= n; ++r) {
        lines << session.text(r, ReadingColumn::Number) + QLatin1Char(',') +
                     session.text(r, ReadingColumn::Time) + QLatin1Char(',') +
                     session.text(r, ReadingColumn::Share) + QLatin1Char(',') +
                     csvQuoted(session.text(r, ReadingColumn::Comment)) + QLatin1Char(',');
    }
    // One more line, after the readings and only when some are left out of the statistics:
    // the word, then each excluded reading's number, every text followed by a comma.
    QString excluded;
    for (int r = 1; r <= n; ++r) {
        if (session.isExcluded(r))
            excluded += session.text(r, ReadingColumn::Number) + QLatin1Char(',');
    }
    if (!excluded.isEmpty())
        lines << QStringLiteral("Excluded,") + excluded;
    return lines;
}

QString ReportWriteResult::message() const {
    if (ok)
        return QString();
    return QStringLiteral("The file \"%1\" could not be written: %2\n\n"
                          "Nothing was cleared: the readings are still in the report.")
        .arg(QDir::toNativeSeparators(path), error);
}

ReportWriteResult writeStopwatchReport(const QString& folder, const Session& session,
                                       const ReportHeader& header, int eventsPerSec) {
    const QDir dir(folder);
    // Both files are replaced together or neither is.
    const FileSetResult written =
        writeFilesTogether({{dir.filePath(kReportFileName),
                             crlfBytes(stopwatchReportLines(session, header, eventsPerSec))},
                            {dir.filePath(kRawCsvFileName), crlfBytes(rawCsvLines(session))}});
    if (!written.ok)
        return {false, written.path, written.error};
    return {};
}

ReportWriteResult writeReportAndClear(const QString& folder, Session& session,
                                      const ReportHeader& header, int eventsPerSec) {
    ReportWriteResult result = writeStopwatchReport(folder, session, header, eventsPerSec);
    if (!result.ok)
        return result;
    session.clearReport();
    return result;
}

} // namespace cfx
