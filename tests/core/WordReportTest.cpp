#include "core/io/WordReports.h"

#include "core/Session.h"
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
    // Readings as a session file gives them back, at a resolution of 10 events per second.
    Session session;
    session.addLoadedReading("1", "s00:00:05.2", "25.00", "a;b", "20", "520");
    session.addLoadedReading("2", "S00:00:10.4", "50.00", "", "40", "1040");
    session.addLoadedReading("3", "00:00:20.8", "100.00", " ", "80", "2080");
    session.finishLoading();
    session.exclude(1);
    session.exclude(2);
    session.exclude(3);

    const ReportHeader header{QDateTime(QDate(2026, 12, 7), QTime(23, 0)), "10", "stamp"};
    const docx::Document doc = stopwatchWordDocument(session, header, 10);
    ASSERT_EQ(doc.blocks.size(), 14);
    const auto& table = std::get<docx::Table>(doc.blocks[2]);
    EXPECT_EQ(table.rows, (QVector<QStringList>{
                              {"#", "Time", "%", "Time Gap", "Comment"},
                              // Record 1's gap is its own time without the standing-clock mark.
                              {"1", "s00:00:05.2", "25.00", "00:00:05.2", "a;b"},
                              // Later gaps in tenths, as the resolution counts them.
                              {"2", "S00:00:10.4", "50.00", "00:00:05.02", ""},
                              {"3", "00:00:20.8", "100.00", "00:00:10.04", " "}}));
    EXPECT_EQ(table.fixedWidthsPt.value(4), 190);

    EXPECT_EQ(paragraphText(doc.blocks[6]), "Timer resolution:\tSet to 10 events per second");
    EXPECT_EQ(boldText(doc.blocks[6]), "Timer resolution");
    EXPECT_EQ(boldText(doc.blocks[7]), "Session started:");
    EXPECT_EQ(paragraphText(doc.blocks[7]), "Session started:\tstamp");
    EXPECT_EQ(boldText(doc.blocks[8]), "Report created at");
    EXPECT_EQ(paragraphText(doc.blocks[12]), "Average Time Gap:\tNot Applicable");
    EXPECT_EQ(paragraphText(doc.blocks[13]), "Excluded from the statistics:\t#1, #2, #3");
}

TEST(WordReport, RecomputesTheGapsAndLeavesTheReadingsAsTheyWere) {
    Session model;
    model.appendReading(100, false, "00", false, "00:00:01.00");
    model.appendReading(350, true, "50", false, "00:00:03.50");
    model.appendReading(400, false, "00", false, "00:00:04.00");
    model.refreshReadings();
    model.addComment(2, "x;y");
    model.exclude(2);
    auto snapshot = [&] {
        QStringList cells;
        for (int r = 1; r <= model.recordCount(); ++r)
            for (int c = 0; c < kReadingColumns; ++c)
                cells << model.text(r, static_cast<ReadingColumn>(c)) + '|' +
                             QString::number(model.isExcluded(r));
        return cells;
    };
    const QStringList before = snapshot();

    const ReportHeader header{QDateTime(QDate(2026, 12, 7), QTime(23, 0)), "100", "stamp"};
    const docx::Document doc = stopwatchWordDocument(model, header, 100);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(model.isExcluded(2));

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
