#include "core/ReadingsModel.h"

#include "core/NumberText.h"
#include "core/TimeFormat.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace cfx;

namespace {

// A reading at cs centiseconds with its text rendered at resolution 100.
void add(ReadingsModel& m, qint32 cs, bool stoodStill = false, bool prune = false) {
    const cfx::TimeFields f = cfx::timeFields(cs);
    const QString text = cfx::readingTimeText(f.hour, f.minute, f.second, f.centi, false);
    ASSERT_EQ(m.appendReading(cs, stoodStill, f.centi, prune, text),
              ReadingsModel::Append::Appended);
}

QStringList times(const ReadingsModel& m) {
    QStringList out;
    for (int r = 1; r <= m.recordCount(); ++r)
        out << m.reference().textMatrix(r, 1);
    return out;
}

TEST(ReadingsModel, AppendFillsBothGridsAndKeepsTheHeader) {
    ReadingsModel m;
    EXPECT_EQ(m.results().textMatrix(0, 3), "Comment");
    add(m, 6257);
    add(m, 7000, true);
    ASSERT_EQ(m.recordCount(), 2);
    EXPECT_EQ(m.reference().rows(), 3);
    EXPECT_EQ(m.results().textMatrix(1, 0), "1");
    EXPECT_EQ(m.results().textMatrix(1, 1), "00:01:02.57");
    EXPECT_EQ(m.results().textMatrix(2, 1), "S00:01:10.00");
    EXPECT_EQ(m.reference().textMatrix(1, 0), "57");
    EXPECT_EQ(m.reference().textMatrix(1, 1), "6257");
    EXPECT_EQ(m.results().textMatrix(2, 3), "");
    EXPECT_EQ(m.results().row(), 2);
}

TEST(ReadingsModel, PruneReplacesTheRecordAtTheSameTimeAndEveryLaterOne) {
    ReadingsModel m;
    for (qint32 cs : {100, 200, 300, 400})
        add(m, cs);
    m.refreshReadings();
    add(m, 200, false, true);
    EXPECT_EQ(times(m), (QStringList{"100", "200"}));
    EXPECT_EQ(m.results().textMatrix(2, 0), "2");
    // The new record is numbered after the survivors and has no stale share yet.
    EXPECT_EQ(m.results().textMatrix(2, 2), "");
    m.refreshReadings();
    EXPECT_EQ(m.results().textMatrix(1, 2), cfx::formatFixed(50));

    // Earlier than every record: the report is emptied first.
    add(m, 50, false, true);
    EXPECT_EQ(times(m), (QStringList{"50"}));
    // Later than every record: nothing removed.
    add(m, 60, false, true);
    EXPECT_EQ(times(m), (QStringList{"50", "60"}));
    // Without the prune flag an earlier time is simply appended.
    add(m, 10);
    EXPECT_EQ(m.recordCount(), 3);
}

TEST(ReadingsModel, PruneFindsTheFirstLaterRecordWhateverTheOrder) {
    // Out of order without pruning (a snap in the first tick after a loaded session).
    ReadingsModel m;
    for (qint32 cs : {100, 500, 300})
        add(m, cs);
    add(m, 250, false, true);
    EXPECT_EQ(times(m), (QStringList{"100", "250"}));

    // A time changed from outside the model is honoured too.
    ReadingsModel n;
    for (qint32 cs : {100, 200, 300})
        add(n, cs);
    n.reference().setTextMatrix(1, 1, "900");
    add(n, 250, false, true);
    EXPECT_EQ(times(n), (QStringList{"250"}));

    // Loaded records in order, then a prune between two of them.
    ReadingsModel l;
    l.addLoadedReading("1", "a", "", "", "00", "100");
    l.addLoadedReading("2", "b", "", "", "00", "200");
    l.addLoadedReading("3", "c", "", "", "00", "300");
    add(l, 200, false, true);
    EXPECT_EQ(times(l), (QStringList{"100", "200"}));
}

TEST(ReadingsModel, SharesFollowTheNewestReading) {
    ReadingsModel m;
    add(m, 500);
    m.refreshReadings();
    EXPECT_EQ(m.results().textMatrix(1, 2), cfx::formatFixed(100));
    add(m, 1000);
    m.refreshReadings();
    EXPECT_EQ(m.results().textMatrix(1, 2), cfx::formatFixed(50));
    EXPECT_EQ(m.results().textMatrix(2, 2), cfx::formatFixed(100));
    // What a view shows is the same text.
    EXPECT_EQ(m.results().data(m.results().index(0, 2)).toString(), cfx::formatFixed(50));
    add(m, 3000);
    m.refreshReadings();
    EXPECT_EQ(m.results().textMatrix(2, 2), cfx::formatFixed(1000.0 / 3000 * 100));
    EXPECT_EQ(m.results().rowSel(), 3);
    EXPECT_EQ(m.results().colSel(), 3);
}

TEST(ReadingsModel, ANewestReadingOfZeroGivesADefinedShare) {
    ReadingsModel m;
    add(m, 400);
    add(m, 0);
    m.refreshReadings();
    EXPECT_EQ(m.results().textMatrix(1, 2), ReadingsModel::zeroShareText());
    EXPECT_EQ(m.results().textMatrix(2, 2), ReadingsModel::zeroShareText());
    EXPECT_EQ(ReadingsModel::zeroShareText(), cfx::formatFixed(0));
}

TEST(ReadingsModel, StoodStillRecordColoursAndTheExclusionToggle) {
    ReadingsModel m;
    add(m, 300);
    add(m, 520, true);
    const GridModel& g = m.results();
    EXPECT_EQ(g.textMatrix(2, 1), "S00:00:05.20");
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(g.backColorAt(2, c), GridModel::kYellow) << c;
    EXPECT_EQ(g.backColorAt(2, 0), GridModel::kWindowBackground);
    EXPECT_EQ(g.backColorAt(1, 1), GridModel::kWindowBackground);

    ASSERT_TRUE(m.exclude(2));
    EXPECT_TRUE(m.isExcluded(2));
    EXPECT_EQ(g.backColorAt(2, 1), GridModel::kRed);
    EXPECT_EQ(g.backColorAt(2, 2), GridModel::kYellow);
    EXPECT_EQ(m.reference().textMatrix(2, 2), "1");
    ASSERT_TRUE(m.include(2));
    EXPECT_EQ(g.backColorAt(2, 1), GridModel::kYellow);
    EXPECT_EQ(m.reference().textMatrix(2, 2), " ");
    EXPECT_FALSE(m.isExcluded(2));

    ASSERT_TRUE(m.exclude(1));
    ASSERT_TRUE(m.include(1));
    EXPECT_EQ(g.backColorAt(1, 1), GridModel::kWindowBackground);
    EXPECT_EQ(g.rowSel(), 1);

    // Record numbers that are not records change nothing.
    EXPECT_FALSE(m.exclude(0));
    EXPECT_FALSE(m.exclude(3));
    EXPECT_FALSE(m.include(-1));
}

TEST(ReadingsModel, AddCommentIsStoredAsTypedAndOnlyOnARecord) {
    ReadingsModel m;
    add(m, 100);
    add(m, 200);
    EXPECT_TRUE(m.addComment(2, " "));
    EXPECT_EQ(m.results().textMatrix(2, 3), " ");
    EXPECT_FALSE(m.addComment(3, "beyond"));
    EXPECT_FALSE(m.addComment(0, "header"));
    EXPECT_EQ(m.results().textMatrix(0, 3), "Comment");
    EXPECT_EQ(m.results().rows(), 3);
    EXPECT_EQ(m.results().textMatrix(1, 3), "");
}

TEST(ReadingsModel, ResolutionChangeRerendersFromTheTag) {
    ReadingsModel m;
    // Taken at resolution 10: 62.57 s shows .05, a stop at 10.00 s shows .00.
    ASSERT_EQ(m.appendReading(6257, false, "57", false, "00:01:02.05"),
              ReadingsModel::Append::Appended);
    ASSERT_EQ(m.appendReading(1000, true, "00", false, "00:00:10.00"),
              ReadingsModel::Append::Appended);
    m.rerenderTimeTexts(100);
    EXPECT_EQ(m.results().textMatrix(1, 1), "00:01:02.57");
    EXPECT_EQ(m.results().textMatrix(2, 1), "S00:00:10.00");
    m.rerenderTimeTexts(30);
    EXPECT_EQ(m.results().textMatrix(1, 1), "00:01:02.17");
    EXPECT_EQ(m.reference().textMatrix(1, 1), "6257");
}

TEST(ReadingsModel, ClearAndTheResetVariant) {
    ReadingsModel m;
    QSignalSpy cleared(&m, &ReadingsModel::cleared);
    add(m, 100);
    add(m, 200);
    m.gaps().setRows(3);
    m.gaps().setTextMatrix(2, 1, "100");
    m.clearReportForReset();
    EXPECT_EQ(m.recordCount(), 0);
    EXPECT_EQ(m.reference().rows(), 1);
    EXPECT_EQ(m.gaps().rows(), 3); // left for the statistics to rebuild
    add(m, 100);
    m.clearReport();
    EXPECT_EQ(m.recordCount(), 0);
    EXPECT_EQ(m.gaps().rows(), 1);
    ASSERT_EQ(cleared.size(), 2);
    EXPECT_TRUE(cleared[0][0].toBool());
    EXPECT_FALSE(cleared[1][0].toBool());
    // Records after a clear start from 1 and shares from before the clear do not leak in.
    add(m, 100);
    EXPECT_EQ(m.results().textMatrix(1, 0), "1");
    EXPECT_EQ(m.results().textMatrix(1, 2), "");
}

TEST(ReadingsModel, LoadedRecordsKeepTheirStoredTextsUntilTheNextRefresh) {
    ReadingsModel m;
    QSignalSpy loaded(&m, &ReadingsModel::loaded);
    m.addLoadedReading("1", "00:00:01.05", "78.50", "first", "57", "157");
    m.addLoadedReading("2", "S00:00:02.00", "100.00", "", "00", "200");
    m.finishLoading();
    EXPECT_EQ(loaded.size(), 1);
    EXPECT_EQ(m.results().textMatrix(1, 2), "78.50");
    EXPECT_EQ(m.results().textMatrix(1, 3), "first");
    EXPECT_EQ(m.results().backColorAt(2, 3), GridModel::kYellow);
    EXPECT_EQ(m.results().backColorAt(1, 1), GridModel::kWindowBackground);
    EXPECT_EQ(m.reference().textMatrix(2, 0), "00");
    EXPECT_FALSE(m.isExcluded(1));
    EXPECT_EQ(m.results().rowSel(), 2);
    m.refreshReadings();
    EXPECT_EQ(m.results().textMatrix(1, 2), cfx::formatFixed(78.5));
}

TEST(ReadingsModel, HoldsMoreThan32766RecordsAndRefusesPastItsCap) {
    ReadingsModel m;
    for (int i = 1; i <= ReadingsModel::kMaxRecords; ++i)
        ASSERT_EQ(m.appendReading(i, false, "00", false, "t"), ReadingsModel::Append::Appended);
    m.refreshReadings();
    EXPECT_EQ(m.results().textMatrix(32767, 0), "32767");
    EXPECT_EQ(m.results().textMatrix(40000, 0), "40000");
    EXPECT_TRUE(m.exclude(40000));
    EXPECT_EQ(m.reference().textMatrix(40000, 2), "1");
    EXPECT_EQ(m.results().textMatrix(ReadingsModel::kMaxRecords, 2), cfx::formatFixed(100));
    EXPECT_EQ(m.appendReading(ReadingsModel::kMaxRecords + 1, false, "00", false, "t"),
              ReadingsModel::Append::Refused);
    EXPECT_EQ(m.recordCount(), ReadingsModel::kMaxRecords);
    EXPECT_EQ(m.addLoadedReading("x", "t", "", "", "00", "1"), ReadingsModel::Append::Refused);
    // A pruning reading still gets in when the prune makes room.
    EXPECT_EQ(m.appendReading(5, false, "05", true, "t"), ReadingsModel::Append::Appended);
    EXPECT_EQ(m.recordCount(), 5);
}

} // namespace
