#include "core/io/TextReport.h"

#include "core/GapStatistics.h"
#include "core/NumberText.h"
#include "core/ReadingsModel.h"
#include "core/io/LineFile.h"
#include "core/io/SafeFile.h"

#include <QDir>

namespace cfx {

QStringList stopwatchReportLines(const ReadingsModel& model, const ReportHeader& header) {
    const GridModel& results = model.results();
    const GridModel& gaps = model.gaps();
    const int n = model.recordCount();
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
        const QString time = results.textMatrix(r, 1);
        lines << QLatin1Char('#') + results.textMatrix(r, 0) << QStringLiteral("Time: ") + time
              << QStringLiteral("%: ") + results.textMatrix(r, 2);
        QString gap;
        if (r == 1) {
            gap = time;
            if (!gap.isEmpty() && gap.front().toUpper() == QLatin1Char('S'))
                gap.remove(0, 1);
        } else {
            gap = gaps.textMatrix(r, 0);
        }
        lines << QStringLiteral("Time Gap: ") + gap;
        const QString comment = results.textMatrix(r, 3);
        if (!comment.isEmpty())
            lines << QStringLiteral("Comment: ") + comment;
        lines << QString();
    }
    lines << QString() << QStringLiteral("Longest Time Gap: ") + model.longestGap()
          << QStringLiteral("Shortest Time Gap: ") + model.shortestGap()
          << QStringLiteral("Average Time Gap: ") + model.averageGap();
    return lines;
}

QStringList rawCsvLines(const ReadingsModel& model) {
    const GridModel& results = model.results();
    QStringList lines;
    lines.reserve(results.rows());
    for (int r = 0; r < results.rows(); ++r) {
        QString line;
        for (int c = 0; c < results.cols(); ++c) {
            if (r >= 1 && c == 3)
                line += QLatin1Char('"') + results.textMatrix(r, c) + QLatin1Char('"');
            else
                line += results.textMatrix(r, c);
            line += QLatin1Char(',');
        }
        lines << line;
    }
    return lines;
}

QString ReportWriteResult::message() const {
    if (ok)
        return QString();
    return QStringLiteral("The file \"%1\" could not be written: %2\n\n"
                          "Nothing was cleared: the readings are still in the report.")
        .arg(QDir::toNativeSeparators(path), error);
}

ReportWriteResult writeStopwatchReport(const QString& folder, ReadingsModel& model,
                                       const ReportHeader& header, int eventsPerSec) {
    computeGapStatistics(model, eventsPerSec);
    const QDir dir(folder);
    // Both files are replaced together or neither is.
    const FileSetResult written = writeFilesTogether(
        {{dir.filePath(kReportFileName), crlfBytes(stopwatchReportLines(model, header))},
         {dir.filePath(kRawCsvFileName), crlfBytes(rawCsvLines(model))}});
    if (!written.ok)
        return {false, written.path, written.error};
    return {};
}

ReportWriteResult writeReportAndClear(const QString& folder, ReadingsModel& model,
                                      const ReportHeader& header, int eventsPerSec) {
    ReportWriteResult result = writeStopwatchReport(folder, model, header, eventsPerSec);
    if (!result.ok)
        return result;
    model.clearReport();
    return result;
}

} // namespace cfx
