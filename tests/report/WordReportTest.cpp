#include "report/WordReport.h"

#include "outside/GridModel.h"

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
