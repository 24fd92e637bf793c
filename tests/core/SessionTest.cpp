#include "core/Session.h"

#include "core/NumberText.h"
#include "core/TimeFormat.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace cfx;

namespace {

// A reading at cs centiseconds with its text rendered at resolution 100.
void add(Session& m, qint32 cs, bool stoodStill = false, bool prune = false) {
    const cfx::TimeFields f = cfx::timeFields(cs);
    const QString text = cfx::readingTimeText(f.hour, f.minute, f.second, f.centi, false);
    ASSERT_EQ(m.appendReading(cs, stoodStill, f.centi, prune, text), Session::Append::Appended);
}

QStringList times(const Session& m) {
    QStringList out;
    for (const Reading& r : m.readings())
        out << r.timeCsText;
    return out;
}

QString cell(const Session& m, int n, int column) {
    return m.text(n, static_cast<ReadingColumn>(column));
}

TEST(Session, AppendStoresTheReadingAndItsTexts) {
    Session m;
    EXPECT_EQ(readingColumnTitle(ReadingColumn::Comment), "Comment");
    add(m, 6257);
    add(m, 7000, true);
    ASSERT_EQ(m.recordCount(), 2);
    EXPECT_EQ(cell(m, 1, 0), "1");
    EXPECT_EQ(cell(m, 1, 1), "00:01:02.57");
    EXPECT_EQ(cell(m, 2, 1), "S00:01:10.00");
    EXPECT_EQ(m.reading(1).tag, "57");
    EXPECT_EQ(m.reading(1).timeCsText, "6257");
    EXPECT_TRUE(m.reading(2).stoodStill);
    EXPECT_EQ(cell(m, 2, 3), "");
}

TEST(Session, PruneReplacesTheRecordAtTheSameTimeAndEveryLaterOne) {
    Session m;
    for (qint32 cs : {100, 200, 300, 400})
        add(m, cs);
    m.refreshReadings();
    add(m, 200, false, true);
    EXPECT_EQ(times(m), (QStringList{"100", "200"}));
    EXPECT_EQ(cell(m, 2, 0), "2");
    // The new record is numbered after the survivors and has no stale share yet.
    EXPECT_EQ(cell(m, 2, 2), "");
    m.refreshReadings();
    EXPECT_EQ(cell(m, 1, 2), cfx::formatFixed(50));

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

TEST(Session, PruneFindsTheFirstLaterRecordWhateverTheOrder) {
    // Out of order without pruning (a snap in the first tick after a loaded session).
    Session m;
    for (qint32 cs : {100, 500, 300})
        add(m, cs);
    add(m, 250, false, true);
    EXPECT_EQ(times(m), (QStringList{"100", "250"}));

    // Loaded records out of order are scanned too.
    Session n;
    n.addLoadedReading("1", "a", "", "", "00", "900");
    n.addLoadedReading("2", "b", "", "", "00", "200");
    add(n, 250, false, true);
    EXPECT_EQ(times(n), (QStringList{"250"}));

    // Loaded records in order, then a prune between two of them.
    Session l;
    l.addLoadedReading("1", "a", "", "", "00", "100");
    l.addLoadedReading("2", "b", "", "", "00", "200");
    l.addLoadedReading("3", "c", "", "", "00", "300");
    add(l, 200, false, true);
    EXPECT_EQ(times(l), (QStringList{"100", "200"}));
}

TEST(Session, SharesFollowTheNewestReading) {
    Session m;
    add(m, 500);
    m.refreshReadings();
    EXPECT_EQ(cell(m, 1, 2), cfx::formatFixed(100));
    add(m, 1000);
    m.refreshReadings();
    EXPECT_EQ(cell(m, 1, 2), cfx::formatFixed(50));
    EXPECT_EQ(cell(m, 2, 2), cfx::formatFixed(100));
    add(m, 3000);
    m.refreshReadings();
    EXPECT_EQ(cell(m, 2, 2), cfx::formatFixed(1000.0 / 3000 * 100));
}

TEST(Session, ANewestReadingOfZeroGivesADefinedShare) {
    Session m;
    add(m, 400);
    add(m, 0);
    m.refreshReadings();
    EXPECT_EQ(cell(m, 1, 2), Session::zeroShareText());
    EXPECT_EQ(cell(m, 2, 2), Session::zeroShareText());
    EXPECT_EQ(Session::zeroShareText(), cfx::formatFixed(0));
}

TEST(Session, TheExclusionToggleAndItsSignal) {
    Session m;
    QSignalSpy changed(&m, &Session::readingChanged);
    add(m, 300);
    add(m, 520, true);
    EXPECT_EQ(cell(m, 2, 1), "S00:00:05.20");
    ASSERT_TRUE(m.exclude(2));
    EXPECT_TRUE(m.isExcluded(2));
    EXPECT_FALSE(m.isExcluded(1));
    ASSERT_TRUE(m.include(2));
    EXPECT_FALSE(m.isExcluded(2));
    EXPECT_EQ(changed.size(), 2);
    EXPECT_EQ(changed[0][0].toInt(), 2);

    // Record numbers that are not records change nothing.
    EXPECT_FALSE(m.exclude(0));
    EXPECT_FALSE(m.exclude(3));
    EXPECT_FALSE(m.include(-1));
    EXPECT_EQ(changed.size(), 2);
}

TEST(Session, AddCommentIsStoredAsTypedAndOnlyOnARecord) {
    Session m;
    add(m, 100);
    add(m, 200);
    EXPECT_TRUE(m.addComment(2, " "));
    EXPECT_EQ(cell(m, 2, 3), " ");
    EXPECT_FALSE(m.addComment(3, "beyond"));
    EXPECT_FALSE(m.addComment(0, "header"));
    EXPECT_EQ(m.recordCount(), 2);
    EXPECT_EQ(cell(m, 1, 3), "");
}

TEST(Session, ResolutionChangeRerendersFromTheTag) {
    Session m;
    // Taken at resolution 10: 62.57 s shows .05, a stop at 10.00 s shows .00.
    ASSERT_EQ(m.appendReading(6257, false, "57", false, "00:01:02.05"), Session::Append::Appended);
    ASSERT_EQ(m.appendReading(1000, true, "00", false, "00:00:10.00"), Session::Append::Appended);
    m.rerenderTimeTexts(100);
    EXPECT_EQ(cell(m, 1, 1), "00:01:02.57");
    EXPECT_EQ(cell(m, 2, 1), "S00:00:10.00");
    m.rerenderTimeTexts(30);
    EXPECT_EQ(cell(m, 1, 1), "00:01:02.17");
    EXPECT_EQ(m.timeCs(1), 6257);
}

TEST(Session, ClearAndTheResetVariant) {
    Session m;
    QSignalSpy cleared(&m, &Session::cleared);
    add(m, 100);
    add(m, 200);
    m.clearReportForReset();
    EXPECT_EQ(m.recordCount(), 0);
    add(m, 100);
    m.clearReport();
    EXPECT_EQ(m.recordCount(), 0);
    ASSERT_EQ(cleared.size(), 2);
    EXPECT_TRUE(cleared[0][0].toBool());
    EXPECT_FALSE(cleared[1][0].toBool());
    // Records after a clear start from 1 and shares from before the clear do not leak in.
    add(m, 100);
    EXPECT_EQ(cell(m, 1, 0), "1");
    EXPECT_EQ(cell(m, 1, 2), "");
}

TEST(Session, LoadedRecordsKeepTheirStoredTextsUntilTheNextRefresh) {
    Session m;
    QSignalSpy loaded(&m, &Session::loaded);
    m.addLoadedReading("1", "00:00:01.05", "78.50", "first", "57", "157");
    m.addLoadedReading("2", "S00:00:02.00", "100.00", "", "00", "200");
    m.finishLoading();
    EXPECT_EQ(loaded.size(), 1);
    EXPECT_EQ(cell(m, 1, 2), "78.50");
    EXPECT_EQ(cell(m, 1, 3), "first");
    EXPECT_TRUE(m.reading(2).stoodStill);
    EXPECT_FALSE(m.reading(1).stoodStill);
    EXPECT_EQ(m.reading(2).tag, "00");
    EXPECT_FALSE(m.isExcluded(1));
    m.refreshReadings();
    EXPECT_EQ(cell(m, 1, 2), cfx::formatFixed(78.5));
}

TEST(Session, HoldsMoreThan32766RecordsAndRefusesPastItsCap) {
    Session m;
    for (int i = 1; i <= Session::kMaxRecords; ++i)
        ASSERT_EQ(m.appendReading(i, false, "00", false, "t"), Session::Append::Appended);
    m.refreshReadings();
    EXPECT_EQ(cell(m, 32767, 0), "32767");
    EXPECT_EQ(cell(m, 40000, 0), "40000");
    EXPECT_TRUE(m.exclude(40000));
    EXPECT_TRUE(m.isExcluded(40000));
    EXPECT_EQ(cell(m, Session::kMaxRecords, 2), cfx::formatFixed(100));
    EXPECT_EQ(m.appendReading(Session::kMaxRecords + 1, false, "00", false, "t"),
              Session::Append::Refused);
    EXPECT_EQ(m.recordCount(), Session::kMaxRecords);
    EXPECT_EQ(m.addLoadedReading("x", "t", "", "", "00", "1"), Session::Append::Refused);
    // A pruning reading still gets in when the prune makes room.
    EXPECT_EQ(m.appendReading(5, false, "05", true, "t"), Session::Append::Appended);
    EXPECT_EQ(m.recordCount(), 5);
}

} // namespace
