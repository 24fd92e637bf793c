#include "core/io/WordReports.h"

#include "core/GapStatistics.h"
#include "core/GridModel.h"
#include "core/NumberText.h"
#include "core/ReadingsModel.h"
#include "core/io/TextReport.h"

namespace cfx {

namespace {

// Record 1's gap is its own time; a reading taken at a standing clock drops its "S" there.
QString firstGap(const QString& timeText) {
    if (!timeText.isEmpty() && timeText.front().toUpper() == u'S')
        return timeText.mid(1);
    return timeText;
}

} // namespace

docx::Document stopwatchWordDocument(const GridModel& results, const GridModel& gaps,
                                     const WordReportFacts& facts) {
    docx::Document doc;
    doc.paper = docx::paperForLocale();
    doc.paragraph({{QStringLiteral("Chronofex Report"), false, 18}});
    doc.paragraph();

    docx::Table table;
    table.sizePt = 12;
    table.fixedWidthsPt = {0, 0, 0, 0, 190};
    table.rows.reserve(results.rows());
    table.rows << QStringList{results.textMatrix(0, 0), results.textMatrix(0, 1),
                              results.textMatrix(0, 2), QStringLiteral("Time Gap"),
                              results.textMatrix(0, 3)};
    for (int r = 1; r < results.rows(); ++r) {
        const QString time = results.textMatrix(r, 1);
        table.rows << QStringList{results.textMatrix(r, 0), time, results.textMatrix(r, 2),
                                  r == 1 ? firstGap(time) : gaps.textMatrix(r, 0),
                                  results.textMatrix(r, 3)};
    }
    doc.table(std::move(table));

    doc.paragraph();
    doc.paragraph(
        {{QStringLiteral("'S' prefixed to Time indicates timer was stopped when reading taken")}});
    doc.paragraph();
    doc.paragraph({{QStringLiteral("Timer resolution"), true},
                   {QStringLiteral(":\tSet to ") + facts.resolutionText +
                    QStringLiteral(" events per second")}});
    doc.paragraph({{QStringLiteral("Session started:"), true}, {u'\t' + facts.sessionStamp}});
    doc.paragraph(
        {{QStringLiteral("Report created at"), true}, {QStringLiteral(":\t") + facts.createdAt}});
    doc.paragraph();
    doc.paragraph({{QStringLiteral("Longest Time Gap:\t") + facts.longestGap}});
    doc.paragraph({{QStringLiteral("Shortest Time Gap:\t") + facts.shortestGap}});
    doc.paragraph({{QStringLiteral("Average Time Gap:\t") + facts.averageGap}});
    return doc;
}

docx::Document stopwatchWordDocument(ReadingsModel& model, const ReportHeader& header,
                                     int eventsPerSec) {
    // Every gap is rebuilt from the readings as they stand now.
    model.gaps().setRows(1);
    const GapStatistics stats = computeGapStatistics(model, eventsPerSec);
    return stopwatchWordDocument(model.results(), model.gaps(),
                                 {header.resolutionText, header.sessionStamp,
                                  generalDate(header.created), stats.longest, stats.shortest,
                                  stats.average});
}

} // namespace cfx
