#include "core/io/WordReports.h"

#include "core/GapStatistics.h"
#include "core/NumberText.h"
#include "core/Session.h"
#include "core/io/TextReport.h"

namespace cfx {

docx::Document stopwatchWordDocument(const Session& session, const ReportHeader& header,
                                     int eventsPerSec) {
    const GapStatisticTexts stats = gapStatisticTexts(computeGapStatistics(session, eventsPerSec),
                                                      eventsPerSec, kNotApplicable);
    docx::Document doc;
    doc.paper = docx::paperForLocale();
    doc.blocks << docx::Paragraph{{{QStringLiteral("Chronofex Report"), false, 18}}, true};
    doc.properties = {QStringLiteral("Chronofex Report"), QStringLiteral("Chronofex"),
                      header.created};
    doc.paragraph();

    docx::Table table;
    table.sizePt = 12;
    table.fixedWidthsPt = {0, 0, 0, 0, 190};
    const int n = session.recordCount();
    table.rows.reserve(n + 1);
    table.rows << QStringList{readingColumnTitle(ReadingColumn::Number),
                              readingColumnTitle(ReadingColumn::Time),
                              readingColumnTitle(ReadingColumn::Share), QStringLiteral("Time Gap"),
                              readingColumnTitle(ReadingColumn::Comment)};
    // Excluded readings are shaded, so the reader sees which ones the figures leave out.
    table.shadedRows.reserve(n);
    for (int r = 1; r <= n; ++r) {
        table.shadedRows << session.isExcluded(r);
        table.rows << QStringList{
            session.text(r, ReadingColumn::Number), session.text(r, ReadingColumn::Time),
            session.text(r, ReadingColumn::Share), gapText(session, r, eventsPerSec),
            session.text(r, ReadingColumn::Comment)};
    }
    doc.table(std::move(table));

    doc.paragraph();
    doc.paragraph(
        {{QStringLiteral("'S' prefixed to Time indicates timer was stopped when reading taken")}});
    doc.paragraph();
    doc.paragraph({{QStringLiteral("Timer resolution"), true},
                   {QStringLiteral(":\tSet to ") + header.resolutionText +
                    QStringLiteral(" events per second")}});
    doc.paragraph({{QStringLiteral("Session started:"), true}, {u'\t' + header.sessionStamp}});
    doc.paragraph({{QStringLiteral("Report created at"), true},
                   {QStringLiteral(":\t") + generalDate(header.created)}});
    doc.paragraph();
    doc.paragraph({{QStringLiteral("Longest Time Gap:\t") + stats.longest}});
    doc.paragraph({{QStringLiteral("Shortest Time Gap:\t") + stats.shortest}});
    doc.paragraph({{QStringLiteral("Average Time Gap:\t") + stats.average}});
    const QString left = excludedReadingsText(session);
    if (!left.isEmpty())
        doc.paragraph({{QStringLiteral("Excluded from the statistics:\t") + left}});
    return doc;
}

} // namespace cfx
