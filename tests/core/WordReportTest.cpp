#include "core/io/WordReports.h"

#include "core/GridModel.h"
#include "core/ReadingsModel.h"
#include "core/io/TextReport.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace cfx;

namespace {

QString paragraphText(const docx::Block& block) {
    QString text;
    for (const docx::Run& run : std::get<docx::Paragraph>(block).runs)
        text += run.text;
    return text;
}

QString boldText(const docx::Block& block) {
    QString text;
    for (const docx::Run& run : std::get<docx::Paragraph>(block).runs)
        if (run.bold)
            text += run.text;
    return text;
}

} // namespace

TEST(WordReport, TableAddsTheTimeGapColumnAndKeepsCommentsWhole) {
    GridModel results(4);
    GridModel gaps(2);
    results.setRows(4);
    gaps.setRows(4);
    const QList<QStringList> rows{{"#", "Time", "%", "Comment"},
                                  {"1", "s00:00:05.2", "25.00", "a;b"},
                                  {"2", "S00:00:10.4", "50.00", ""},
                                  {"3", "00:00:20.8", "100.00", " "}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            results.setTextMatrix(r, c, rows[r][c]);
    gaps.setTextMatrix(2, 0, "00:00:05.2");
    gaps.setTextMatrix(3, 0, "00:00:10.4");

    const docx::Document doc = stopwatchWordDocument(
        results, gaps, {"10", "stamp", "now", "00:00:10.4", "00:00:05.2", "Not Applicable"});
    ASSERT_EQ(doc.blocks.size(), 13);
    const auto& table = std::get<docx::Table>(doc.blocks[2]);
    EXPECT_EQ(table.rows, (QVector<QStringList>{
                              {"#", "Time", "%", "Time Gap", "Comment"},
                              // Record 1's gap is its own time without the standing-clock mark.
                              {"1", "s00:00:05.2", "25.00", "00:00:05.2", "a;b"},
                              {"2", "S00:00:10.4", "50.00", "00:00:05.2", ""},
                              {"3", "00:00:20.8", "100.00", "00:00:10.4", " "}}));
    EXPECT_EQ(table.fixedWidthsPt.value(4), 190);

    EXPECT_EQ(paragraphText(doc.blocks[6]), "Timer resolution:\tSet to 10 events per second");
    EXPECT_EQ(boldText(doc.blocks[6]), "Timer resolution");
    EXPECT_EQ(boldText(doc.blocks[7]), "Session started:");
    EXPECT_EQ(paragraphText(doc.blocks[7]), "Session started:\tstamp");
    EXPECT_EQ(boldText(doc.blocks[8]), "Report created at");
    EXPECT_EQ(paragraphText(doc.blocks[12]), "Average Time Gap:\tNot Applicable");
}

TEST(WordReport, RecomputesTheGapsAndLeavesTheReadingsAsTheyWere) {
    ReadingsModel model;
    model.appendReading(100, false, "00", false, "00:00:01.00");
    model.appendReading(350, true, "50", false, "00:00:03.50");
    model.appendReading(400, false, "00", false, "00:00:04.00");
    model.refreshReadings();
    model.addComment(2, "x;y");
    model.exclude(2);
    // Left over from an earlier, longer session.
    model.gaps().setRows(8);
    model.gaps().setTextMatrix(3, 0, "stale");
    auto snapshot = [&] {
        QStringList cells;
        for (const GridModel* grid : {&model.results(), &model.reference()})
            for (int r = 0; r < grid->rows(); ++r)
                for (int c = 0; c < grid->cols(); ++c)
                    cells << grid->textMatrix(r, c) + '|' +
                                 QString::number(grid->backColorAt(r, c));
        return cells;
    };
    const QStringList before = snapshot();

    const ReportHeader header{QDateTime(QDate(2026, 12, 7), QTime(23, 0)), "100", "stamp"};
    const docx::Document doc = stopwatchWordDocument(model, header, 100);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(model.isExcluded(2));
    EXPECT_EQ(model.gaps().rows(), 4);

    const auto& table = std::get<docx::Table>(doc.blocks[2]);
    ASSERT_EQ(table.rows.size(), 4);
    EXPECT_EQ(table.rows[1].value(3), "00:00:01.00");
    EXPECT_EQ(table.rows[2], (QStringList{"2", "S00:00:03.50", "87.50", "00:00:02.50", "x;y"}));
    EXPECT_EQ(table.rows[3].value(3), "00:00:00.50");
    // Record 2 is listed but left out of the statistics: gaps 100 and 50 count.
    EXPECT_EQ(paragraphText(doc.blocks[10]), "Longest Time Gap:\t00:00:01.00");
    EXPECT_EQ(paragraphText(doc.blocks[11]), "Shortest Time Gap:\t00:00:00.50");
    EXPECT_EQ(paragraphText(doc.blocks[12]), "Average Time Gap:\t00:00:00.75");
}
