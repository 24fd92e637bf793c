#include "core/io/Journal.h"

#include "core/Session.h"
#include "core/io/SessionLoad.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

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
    journal.setRetryInterval(20);
    QSignalSpy resumed(&journal, &Journal::resumed);
    EXPECT_FALSE(journal.start(session));
    EXPECT_FALSE(journal.error().isEmpty());
    EXPECT_FALSE(journal.isWriting());
    snap(session, 100);
    EXPECT_EQ(session.recordCount(), 1);
    // Once the folder is there the journal is made, with the reading taken meanwhile.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("missing")));
    EXPECT_TRUE(resumed.wait(2000));
    EXPECT_TRUE(journal.isWriting());
    Session back;
    replayJournal(fileBytes(journal.path()), back);
    EXPECT_EQ(picture(back), picture(session));
}

namespace {

// A snap as the program takes it: the reading, then the shares computed anew.
void liveSnap(Session& s, qint32 cs) {
    s.appendReading(cs, false, QString::number(cs % 100), false,
                    QStringLiteral("00:00:%1.%2")
                        .arg(cs / 100, 2, 10, QLatin1Char('0'))
                        .arg(cs % 100, 2, 10, QLatin1Char('0')));
    s.refreshReadings();
}

void setModified(const QString& path, qint64 msSinceEpoch) {
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec = msSinceEpoch / 1000;
    times[0].tv_nsec = times[1].tv_nsec = (msSinceEpoch % 1000) * 1'000'000;
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

} // namespace

// A crash can cut the journal at any byte: whatever is left replays to the session as it stood
// after some snap, shares included, never a reading without its shares.
TEST(Journal, ACutAnywhereLeavesTheSessionOfSomeSnap) {
    QTemporaryDir dir;
    Session session;
    Journal journal(dir.filePath(kJournalFileName));
    ASSERT_TRUE(journal.start(session));
    session.setSessionStamp(QStringLiteral("stamp"));
    QList<QStringList> states{picture(session)};
    for (qint32 cs : {100, 250, 400, 800}) {
        liveSnap(session, cs);
        states << picture(session);
    }
    const QByteArray bytes = fileBytes(journal.path());
    ASSERT_TRUE(bytes.startsWith(QByteArray(kJournalVersionLine) + '\n'));
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        Session back;
        back.setSessionStamp(QStringLiteral("stamp"));
        replayJournal(bytes.left(cut), back);
        EXPECT_TRUE(states.contains(picture(back))) << "cut at byte " << cut;
    }
}

// The clock's start is journaled: a journal that ends with the clock running comes back at the
// time the clock showed when the journal was last touched, never behind a reading.
TEST(Journal, ARunningClockComesBackAtTheTimeOfTheCrash) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kJournalFileName);
    {
        Session session;
        Journal journal(path);
        ASSERT_TRUE(journal.start(session));
        journal.recordClock(307, {0, 0, 0, 0, 0, 3, 0, 7});
        journal.recordStart(307);
        liveSnap(session, 509);
    }
    Session back;
    const qint64 startedAt = replayJournal(fileBytes(path), back).startedAtMs;
    ASSERT_GT(startedAt, 0);
    // Killed 2.04 s after the start (the journal touched until then).
    setModified(path, startedAt + 2040);
    {
        Session again;
        Journal journal(path);
        const JournalFacts facts = journal.readPrevious(again);
        EXPECT_TRUE(facts.clockRunning);
        EXPECT_EQ(facts.startBaseCs, 307);
        EXPECT_EQ(restoredClockCs(facts, again), 307 + 204);
    }
    // Touched only before the last reading: the clock is not behind it.
    setModified(path, startedAt);
    {
        Session behind;
        Journal journal(path);
        EXPECT_EQ(restoredClockCs(journal.readPrevious(behind), behind), 509);
    }

    // Stopped again, the clock comes back where it stood.
    Session session;
    Journal journal(dir.filePath(QStringLiteral("other")));
    ASSERT_TRUE(journal.start(session));
    journal.recordStart(0);
    journal.recordClock(411, {});
    Session stopped;
    const JournalFacts still = replayJournal(fileBytes(journal.path()), stopped);
    EXPECT_FALSE(still.clockRunning);
    EXPECT_EQ(restoredClockCs(still, stopped), 411);
}

// Whatever stands at the journal's path that is not a plain file is neither waited on, read nor
// written through: a FIFO does not hold up the start, and a link's target stays as it was.
TEST(Journal, OnlyAPlainFileIsReadOrWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kJournalFileName);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    Session session;
    Journal journal(path);
    Session previous;
    EXPECT_EQ(journal.readPrevious(previous).damage, JournalDamage::None);
    ASSERT_TRUE(journal.start(session));
    EXPECT_TRUE(QFileInfo(path).isFile());

    const QString target = dir.filePath(QStringLiteral("target"));
    QFile t(target);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write("keep\n");
    t.close();
    const QString linked = dir.filePath(QStringLiteral("linked"));
    ASSERT_TRUE(QFile::link(target, linked));
    Session other;
    Journal throughLink(linked);
    Session none;
    throughLink.readPrevious(none);
    EXPECT_EQ(none.recordCount(), 0);
    ASSERT_TRUE(throughLink.start(other));
    liveSnap(other, 100);
    throughLink.sync();
    EXPECT_EQ(fileBytes(target), QByteArray("keep\n"));
    EXPECT_FALSE(QFileInfo(linked).isSymLink());
    EXPECT_TRUE(fileBytes(linked).contains("\nS\t1\t"));
}

// A journal that cannot be read whole is kept aside, byte for byte, before a new one starts;
// what could be read of it is still restored.
TEST(Journal, ADamagedJournalIsKeptAside) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kJournalFileName);
    const QByteArray damaged = QByteArray(kJournalVersionLine) +
                               "\nA\t1\t1\t00:00:01.00\t00\t100\t\tstamp\n" + QByteArray(40, '\0') +
                               "\nF\n";
    for (const QByteArray& bytes :
         {damaged, QByteArray("CFXJournal\t9\nA\t1\t1\t00:00:01.00\t00\t100\t\tstamp\n")}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        Session previous;
        Journal journal(path);
        const JournalFacts facts = journal.readPrevious(previous);
        EXPECT_NE(facts.damage, JournalDamage::None);
        Session session;
        ASSERT_TRUE(journal.start(session));
        ASSERT_FALSE(journal.keptAsidePath().isEmpty());
        EXPECT_TRUE(journal.keptAsidePath().startsWith(path + QStringLiteral(".unreadable-")));
        EXPECT_EQ(fileBytes(journal.keptAsidePath()), bytes);
        EXPECT_EQ(fileBytes(path), QByteArray(kJournalVersionLine) + '\n');
        // A known format keeps what it could read; another format is not replayed at all.
        EXPECT_EQ(previous.recordCount(), bytes.startsWith("CFXJournal\t2") ? 1 : 0);
        QFile::remove(journal.keptAsidePath());
    }
}

// A second copy of the program on the same data folder neither replays the live journal as a
// crash's nor replaces it; the first goes on journaling into a whole file.
TEST(Journal, ASecondCopyLeavesTheLiveJournalAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kJournalFileName);
    Session live;
    Journal first(path);
    ASSERT_TRUE(first.start(live));
    liveSnap(live, 100);

    Session taken;
    Journal second(path);
    second.readPrevious(taken);
    EXPECT_TRUE(second.inUse());
    EXPECT_EQ(taken.recordCount(), 0);
    Session other;
    EXPECT_FALSE(second.start(other));
    liveSnap(other, 999);

    liveSnap(live, 200);
    Session back;
    replayJournal(fileBytes(path), back);
    EXPECT_EQ(picture(back), picture(live));
    EXPECT_FALSE(fileBytes(path).contains('\0'));
}

// A write that fails (here: past the largest file the process may write) is told with the
// system's reason; once writing works again the journal is written anew and holds every reading,
// those taken while it failed too.
TEST(Journal, AFailedJournalSaysWhyAndBecomesWholeAgain) {
    QTemporaryDir dir;
    Session session;
    Journal journal(dir.filePath(kJournalFileName));
    journal.setRetryInterval(20);
    QSignalSpy failed(&journal, &Journal::failed);
    QSignalSpy resumed(&journal, &Journal::resumed);
    ASSERT_TRUE(journal.start(session));
    session.setSessionStamp(QStringLiteral("stamp"));
    liveSnap(session, 100);

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = static_cast<rlim_t>(fileBytes(journal.path()).size() + 10);
    ::setrlimit(RLIMIT_FSIZE, &tight);
    for (qint32 cs : {200, 300, 400})
        liveSnap(session, cs);
    session.addComment(2, QStringLiteral("while failing"));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0][0].toString(), QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_TRUE(resumed.wait(2000));
    journal.sync();
    Session back;
    replayJournal(fileBytes(journal.path()), back);
    EXPECT_EQ(picture(back), picture(session));
}

// Resolution changes after many readings are rendered once, as the program showed them; a line
// too long for any journal is skipped without being held, and the lines after it still count.
TEST(Journal, ReplayRendersOnceAndSkipsHugeLines) {
    QTemporaryDir dir;
    Session session;
    Journal journal(dir.filePath(kJournalFileName));
    ASSERT_TRUE(journal.start(session));
    session.setSessionStamp(QStringLiteral("stamp"));
    liveSnap(session, 123);
    for (int eps : {10, 100, 1}) {
        session.rerenderTimeTexts(eps);
        journal.recordResolution(QString::number(eps), eps);
        liveSnap(session, 200 + eps);
    }
    snap(session, 150, false, true); // prunes the later readings
    session.rerenderTimeTexts(10);
    journal.recordResolution(QStringLiteral("10"), 10);
    journal.sync();
    QByteArray bytes = fileBytes(journal.path());
    Session back;
    const JournalFacts facts = replayJournal(bytes, back);
    EXPECT_EQ(picture(back), picture(session));
    EXPECT_EQ(facts.damage, JournalDamage::None);

    bytes.insert(bytes.indexOf("\nS\t2") + 1,
                 "E\t1\t0\t" + QByteArray(kMaxJournalLineBytes + 10, 'x') + '\n');
    Session skipped;
    EXPECT_EQ(replayJournal(bytes, skipped).damage, JournalDamage::LongLine);
    EXPECT_EQ(picture(skipped), picture(session));
}
