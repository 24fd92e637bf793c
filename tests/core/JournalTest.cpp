#include "core/io/Journal.h"

#include "core/Session.h"
#include "core/io/SessionLoad.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cfx;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void snap(Session& s, qint32 cs, bool stoodStill = false, bool prune = false) {
    s.appendReading(cs, stoodStill, QString::number(cs % 100), prune,
                    QStringLiteral("00:00:%1.%2")
                        .arg(cs / 100, 2, 10, QLatin1Char('0'))
                        .arg(cs % 100, 2, 10, QLatin1Char('0')));
    s.refreshReadings();
}

// Everything the report shows and writes of a session, exclusions included.
QStringList picture(const Session& s) {
    QStringList out{s.sessionStamp()};
    const SessionData data = sessionFrom(s, "", 0, s.sessionStamp(), {});
    for (int n = 1; n <= s.recordCount(); ++n) {
        const SessionReading& r = data.readings[n - 1];
        QStringList fields(r.results.begin(), r.results.end());
        fields << r.reference[0] << r.reference[1] << QString::number(s.isExcluded(n));
        out << fields.join(u'|');
    }
    return out;
}

} // namespace

// Snaps, a prune, comments with characters the journal escapes, exclusions and a resolution
// change come back exactly as they were.
TEST(Journal, ReplayGivesBackTheSessionAsItWas) {
    QTemporaryDir dir;
    Session session;
    Journal journal(dir.filePath(kJournalFileName));
    ASSERT_TRUE(journal.start(session));
    session.setSessionStamp(QStringLiteral("8.12.2026 09:00:00"));
    for (qint32 cs : {120, 250, 400, 520})
        snap(session, cs);
    snap(session, 400, true, true); // replaces 400 and 520
    session.addComment(2, QStringLiteral("tab\there, line\nbreak, back\\slash, caf\u00e9"));
    session.exclude(3);
    session.exclude(1);
    session.include(1);
    session.rerenderTimeTexts(10);
    journal.recordResolution(QStringLiteral("10"), 10);
    journal.recordClock(400, {0, 0, 0, 0, 0, 4, 0, 0});

    Session back;
    const JournalFacts facts = replayJournal(fileBytes(journal.path()), back);
    EXPECT_EQ(picture(back), picture(session));
    EXPECT_FALSE(facts.handled);
    EXPECT_EQ(facts.resolution, QStringLiteral("10"));
    EXPECT_EQ(facts.baseCs, 400);
    EXPECT_EQ(facts.ledValues[5], 4);

    // Saved: nothing to restore; a later change makes it worth restoring again.
    journal.recordSaved();
    Session saved;
    EXPECT_TRUE(replayJournal(fileBytes(journal.path()), saved).handled);
    session.addComment(1, QStringLiteral("after saving"));
    Session changed;
    EXPECT_FALSE(replayJournal(fileBytes(journal.path()), changed).handled);
    // Cleared on purpose: nothing to restore.
    session.clearReportForReset();
    Session cleared;
    EXPECT_TRUE(replayJournal(fileBytes(journal.path()), cleared).handled);
    EXPECT_EQ(cleared.recordCount(), 0);
}

// A torn last line is skipped, never the lines before it; nonsense lines are skipped too.
TEST(Journal, ATornOrBrokenLineCostsOnlyItself) {
    const QByteArray good = "A\t1\t1\t00:00:01.00\t00\t100\t\tstamp\n"
                            "A\t2\t2\t00:00:02.00\t00\t200\t\tstamp\n"
                            "F\n";
    Session whole;
    replayJournal(good, whole);
    ASSERT_EQ(whole.recordCount(), 2);
    EXPECT_EQ(whole.text(1, ReadingColumn::Share), QStringLiteral("50.00"));

    Session torn;
    replayJournal(good + "A\t3\t3\t00:00:03.00\t00\t3", torn);
    EXPECT_EQ(picture(torn), picture(whole));

    Session broken;
    replayJournal("A\t5\tx\n" + good + "E\t9\t1\t\nK\t-1\t0\t0\t0\t0\t0\t0\t0\t0\nQ\n\n", broken);
    EXPECT_EQ(picture(broken), picture(whole));
}

TEST(Journal, AFolderThatCannotBeWrittenIsSaidAndNothingBreaks) {
    QTemporaryDir dir;
    Session session;
    Journal journal(dir.filePath(QStringLiteral("missing/") + kJournalFileName));
    EXPECT_FALSE(journal.start(session));
    EXPECT_FALSE(journal.error().isEmpty());
    EXPECT_FALSE(journal.isWriting());
    snap(session, 100);
    EXPECT_EQ(session.recordCount(), 1);
}
