// Writes the three report documents for a fixed set of readings and records into the folder
// given as the only argument, for check_docx.py and the word-processor conversion test.
#include "core/RecordTable.h"
#include "core/Session.h"
#include "core/io/DocxWriter.h"
#include "core/io/RecordReports.h"
#include "core/io/TextReport.h"
#include "core/io/WordReports.h"

#include <QDir>
#include <QStringList>

#include <cstdio>

using namespace cfx;

namespace {

bool write(const QString& path, const cfx::docx::Document& doc) {
    const cfx::FileResult result = cfx::docx::writeDocx(path, doc);
    if (!result.ok)
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(result.error));
    return result.ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));

    // Three readings at a resolution of 100 events per second: the first taken at a standing
    // clock, the second left out of the statistics, comments with a ";" and with XML's
    // special characters.
    Session readings;
    readings.appendReading(520, true, "20", false, "00:00:05.20");
    readings.appendReading(1040, false, "40", false, "00:00:10.40");
    readings.appendReading(2080, false, "80", false, "00:00:20.80");
    readings.refreshReadings();
    readings.addComment(1, "start; warm-up");
    readings.addComment(3, "Lap, with comma & <xml>");
    readings.exclude(2);
    const cfx::ReportHeader header{QDateTime(QDate(2026, 12, 7), QTime(23, 51, 38)), "100",
                                   "07/12/2026 23:50:00"};

    cfx::RecordTable rate({"#", "No. cycles", "Time of Reading", "Average Rate s/c",
                           "Average Rate c/min", "Comment"});
    rate.append({"4", "07/12/2026 23:40:01", "1.30", "46.15"}, "pump; stroke");
    rate.append({"1", "07/12/2026 23:41:10", "1.50", "40.00"}, "");
    cfx::RecordTable speed({"#", "Time of Speed Reading", "Average Speed", "Comment"});
    speed.append({"07/12/2026 23:42:00", "36.0 kph"}, "run;1");
    speed.append({"07/12/2026 23:43:30", "20.4545 mph"}, "");

    const QString created = QStringLiteral("07/12/2026 23:51:38");
    const bool ok =
        write(dir.filePath("stopwatch.docx"), cfx::stopwatchWordDocument(readings, header, 100)) &&
        write(dir.filePath("rate.docx"),
              cfx::recordWordDocument(rate, cfx::RecordReportKind::rate(), created)) &&
        write(dir.filePath("speed.docx"),
              cfx::recordWordDocument(speed, cfx::RecordReportKind::speed(), created));
    return ok ? 0 : 1;
}
