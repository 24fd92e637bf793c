#include "core/io/SessionFile.h"
#include "core/io/SafeFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace cfx;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

SessionReading reading(const QString& n, const QString& time, const QString& share,
                       const QString& comment, const QString& tag, const QString& cs) {
    return SessionReading{{n, time, share, comment}, {tag, cs}};
}

// Header lines followed by `readingLines` numbered reading lines "r1", "r2", ...
QStringList fileWithReadingLines(int readingLines, const QString& line12 = "1") {
    QStringList lines{"10", "200", "stamp", "0", "0", "0", "0", "0", "2", "0", "0", line12};
    for (int i = 1; i <= readingLines; ++i)
        lines << QStringLiteral("r%1").arg(i);
    return lines;
}

SessionData parsed(const QStringList& lines) {
    SessionData s;
    QString error;
    EXPECT_TRUE(parseSession(lines, s, error)) << error.toStdString();
    return s;
}

SessionData someSession() {
    SessionData s;
    s.resolution = "100";
    s.baseCs = 4321;
    s.stamp = "07/12/2026 23:59:01";
    s.ledValues = {0, 0, 0, 0, 4, 3, 2, 1};
    s.readings = {reading("1", "00:00:01.05", "2.43", "", "57", "105")};
    return s;
}

} // namespace

TEST(SessionFile, WritesTheDocumentedLinesByteForByte) {
    SessionData s;
    s.resolution = "10";
    s.baseCs = 200;
    s.stamp = "12/7/26 1:02:03 AM";
    s.ledValues = {0, 0, 0, 0, 0, 2, 0, 0};
    s.readings = {reading("1", "00:00:01.05", "100.00", "", "57", "157")};
    QTemporaryDir dir;
    const QString path = dir.filePath("one.CFX");
    ASSERT_TRUE(writeSession(path, s).ok);
    EXPECT_EQ(fileBytes(path), QByteArray("10\r\n200\r\n12/7/26 1:02:03 AM\r\n"
                                          "0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n"
                                          "1\r\n"
                                          "1\r\n00:00:01.05\r\n100.00\r\n\r\n57\r\n157\r\n"));
}

TEST(SessionFile, NoReadingsWritesExactlyTwelveLinesEndingInZero) {
    SessionData s = someSession();
    s.readings.clear();
    const QStringList lines = sessionLines(s);
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines.last(), "0");
    QTemporaryDir dir;
    ASSERT_TRUE(writeSession(dir.filePath("empty.CFX"), s).ok);
    EXPECT_TRUE(fileBytes(dir.filePath("empty.CFX")).endsWith("1\r\n0\r\n"));
    EXPECT_EQ(fileBytes(dir.filePath("empty.CFX")).count("\r\n"), 12);
}

TEST(SessionFile, SavedSessionReadsBackUnchanged) {
    SessionData s = someSession();
    s.readings = {
        reading("1", "00:00:01.05", "33.33", QString::fromUtf8("caf\xC3\xA9, start"), "57", "157"),
        reading("2", "00:00:03.01", "66.67", "", "12", "312"),
        reading("3", "S00:00:04.71", "100.00", " ", "71", "471"),
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("three.CFX");
    ASSERT_TRUE(writeSession(path, s).ok);

    SessionData back;
    QString error;
    ASSERT_TRUE(readSession(path, back, error)) << error.toStdString();
    EXPECT_EQ(back, s);
    EXPECT_FALSE(back.readings[0].stoodStill());
    EXPECT_TRUE(back.readings[2].stoodStill());
    EXPECT_TRUE(error.isEmpty());
}

TEST(SessionFile, LineBreaksInsideAValueDoNotShiftTheLaterLines) {
    SessionData s = someSession();
    s.readings[0].results[3] = "two\r\nlines\nand\rmore";
    s.readings << reading("2", "00:00:02.00", "100.00", "after", "00", "200");
    const QStringList lines = sessionLines(s);
    ASSERT_EQ(lines.size(), 12 + 2 * 6);
    const SessionData back = parsed(lines);
    EXPECT_EQ(back.readings[0].results[3], "two lines and more");
    EXPECT_EQ(back.readings[1], s.readings[1]);
}

TEST(SessionFile, ReadingCountIsRoundedHalfToEvenAndMissingCellsAreEmpty) {
    // (reading lines) -> readings: 15/6 = 2.5 -> 2, 16/6 = 2.67 -> 3, 3/6 = 0.5 -> 0,
    // 9/6 = 1.5 -> 2, 21/6 = 3.5 -> 4.
    EXPECT_EQ(parsed(fileWithReadingLines(15)).readings.size(), 2);
    const SessionData three = parsed(fileWithReadingLines(16));
    ASSERT_EQ(three.readings.size(), 3);
    EXPECT_EQ(three.readings[2].results, (std::array<QString, 4>{"r13", "r14", "r15", "r16"}));
    EXPECT_EQ(three.readings[2].reference, (std::array<QString, 2>{"", ""}));
    EXPECT_EQ(parsed(fileWithReadingLines(3)).readings.size(), 0);
    EXPECT_EQ(parsed(fileWithReadingLines(9)).readings.size(), 2);
    EXPECT_EQ(parsed(fileWithReadingLines(21)).readings.size(), 4);
    EXPECT_EQ(parsed(fileWithReadingLines(0)).readings.size(), 0);
}

TEST(SessionFile, ReadingsLoadOnlyWhenLineTwelveIsNumericallyOne) {
    for (const char* one : {"1", "1.0", " 1", "1 reading"})
        EXPECT_EQ(parsed(fileWithReadingLines(6, one)).readings.size(), 1) << one;
    for (const char* notOne : {"0", "2", "", "yes", "0.9", "-1"}) {
        const SessionData s = parsed(fileWithReadingLines(6, notOne));
        EXPECT_TRUE(s.readings.isEmpty()) << notOne;
        EXPECT_EQ(s.baseCs, 200) << "header values still load";
    }
}

TEST(SessionFile, ShortFileLoadsEmptyTextsAndZeros) {
    const SessionData none = parsed({});
    EXPECT_EQ(none, SessionData{});
    const SessionData s = parsed({"25", "1234"});
    EXPECT_EQ(s.resolution, "25");
    EXPECT_EQ(s.baseCs, 1234);
    EXPECT_EQ(s.stamp, "");
    EXPECT_EQ(s.ledValues, (std::array<int, 8>{}));
    EXPECT_TRUE(s.readings.isEmpty());
}

TEST(SessionFile, HeaderValuesAreReadAsTheirNumericValues) {
    QStringList lines = fileWithReadingLines(0, "0");
    lines[0] = "250"; // a hand-edited resolution stays as written
    lines[1] = "12.5";
    lines[3] = "7 ";
    lines[4] = "x";
    lines[5] = "3.5";
    lines[6] = "99999";
    SessionData s = parsed(lines);
    EXPECT_EQ(s.resolution, "250");
    lines[0] = QString(QChar(0xFEFF)) + "25"; // a doubled byte-order mark
    EXPECT_EQ(parsed(lines).resolution, "25");
    EXPECT_EQ(s.baseCs, 12);
    EXPECT_EQ(s.ledValues[0], 7);
    EXPECT_EQ(s.ledValues[1], 0);
    EXPECT_EQ(s.ledValues[2], 4);
    EXPECT_EQ(s.ledValues[3], 32767);
    lines[1] = "13.5";
    EXPECT_EQ(parsed(lines).baseCs, 14);
    lines[1] = "36000000";
    EXPECT_EQ(parsed(lines).baseCs, 36000000);
}

TEST(SessionFile, ImpossibleValuesRejectTheWholeFileAndLeaveTheTargetAlone) {
    const SessionData before = someSession();
    for (const char* base : {"-1", "36000001", "1e12"}) {
        QStringList lines = fileWithReadingLines(6);
        lines[1] = base;
        SessionData s = before;
        QString error;
        EXPECT_FALSE(parseSession(lines, s, error)) << base;
        EXPECT_TRUE(error.contains("line 2")) << error.toStdString();
        EXPECT_EQ(s, before);
    }
    SessionData s = before;
    QString error;
    EXPECT_TRUE(parseSession(fileWithReadingLines(kMaxSessionReadings * 6), s, error));
    EXPECT_EQ(s.readings.size(), kMaxSessionReadings);
    s = before;
    EXPECT_FALSE(parseSession(fileWithReadingLines(kMaxSessionReadings * 6 + 4), s, error));
    EXPECT_TRUE(error.contains(QString::number(kMaxSessionReadings))) << error.toStdString();
    EXPECT_EQ(s, before);
}

TEST(SessionFile, FileFromTheOlderPlatformReadsWithItsAccents) {
    // Windows-1252 bytes, CR LF, a comment "Départ é" and a stamp with a non-breaking space.
    const QByteArray bytes = "10\r\n157\r\n07.12.2026\xA0"
                             "10:00:00\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n5\r\n0\r\n1\r\n"
                             "1\r\n00:00:01.05\r\n100.00\r\nD\xE9part \xE9\r\n57\r\n157\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath("OLD.CFX");
    putBytes(path, bytes);
    SessionData s;
    QString error;
    ASSERT_TRUE(readSession(path, s, error)) << error.toStdString();
    ASSERT_EQ(s.readings.size(), 1);
    EXPECT_EQ(s.readings[0].results[3], QString::fromUtf8("D\xC3\xA9part \xC3\xA9"));
    EXPECT_EQ(s.stamp, QString::fromUtf8("07.12.2026\xC2\xA0"
                                         "10:00:00"));
    EXPECT_EQ(s.ledValues, (std::array<int, 8>{0, 0, 0, 0, 0, 1, 5, 0}));
    EXPECT_EQ(s.readings[0].reference[1], "157");
}

TEST(SessionFile, UnreadableFilesFailWithAReasonAndLeaveTheSessionAlone) {
    QTemporaryDir dir;
    const SessionData before = someSession();
    auto expectRefused = [&](const QString& path, const char* what) {
        SessionData s = before;
        QString error;
        EXPECT_FALSE(readSession(path, s, error)) << what;
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_GT(error.size(), path.size() + 30) << "says why: " << error.toStdString();
        EXPECT_EQ(s, before) << what;
    };
    expectRefused(dir.filePath("missing.CFX"), "missing");
    expectRefused(dir.path(), "a folder");

    // A pipe with no writer would block a plain read for ever.
    const QString fifo = dir.filePath("pipe.CFX");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer t;
    t.start();
    expectRefused(fifo, "a pipe");
    EXPECT_LT(t.elapsed(), 2000);

    const QString big = dir.filePath("big.CFX");
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(kMaxSessionFileBytes + 1)); // sparse, takes no disk space
    }
    expectRefused(big, "too large");

    // Line breaks after a valid header, and one endless comment: refused as they are read, not
    // after every line is in memory.
    const QByteArray header = "10\r\n0\r\n\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n";
    const QString breaks = dir.filePath("breaks.CFX");
    ASSERT_TRUE(writeFileBytes(breaks, header + QByteArray(kMaxSessionFileBytes - 64, '\n')).ok);
    t.restart();
    expectRefused(breaks, "line breaks");
    // Refused as it is read: well under a second on a quiet machine, and far from the many
    // seconds that splitting the whole file took, also under the sanitizers on a busy one.
    EXPECT_LT(t.elapsed(), 5000);
    const QString comment = dir.filePath("comment.CFX");
    ASSERT_TRUE(writeFileBytes(comment, header + "1\r\n00:00:01.00\r\n100.00\r\n" +
                                            QByteArray(kMaxSessionLineBytes + 1, 'c') +
                                            "\r\n0\r\n100\r\n")
                    .ok);
    expectRefused(comment, "endless comment");

    // A text file that is no session (a host name, a one-line note) is refused, not read as an
    // empty session at resolution 0.
    for (const QByteArray& text :
         {QByteArray("myhost\n"), QByteArray("10\r\n"), QByteArray("10\r\nnot a time\r\n")}) {
        const QString other = dir.filePath("hostname");
        ASSERT_TRUE(writeFileBytes(other, text).ok);
        expectRefused(other, text.constData());
    }

    if (geteuid() != 0) {
        const QString locked = dir.filePath("locked.CFX");
        ASSERT_TRUE(writeSession(locked, before).ok);
        ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0), 0);
        expectRefused(locked, "no permission");
    }
}

TEST(SessionFile, FailedSaveSaysWhyAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const FileResult missing = writeSession(dir.filePath("no/folder/x.CFX"), someSession());
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.isEmpty());
    // A folder stands where the file should go.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.CFX"));
    const FileResult taken = writeSession(dir.filePath("taken.CFX"), someSession());
    EXPECT_FALSE(taken.ok);
    EXPECT_FALSE(taken.error.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});

    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    const QString path = dir.filePath("keep.CFX");
    SessionData old = someSession();
    ASSERT_TRUE(writeSession(path, old).ok);
    const QByteArray oldBytes = fileBytes(path);
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    SessionData changed = old;
    changed.stamp = "other";
    const FileResult r = writeSession(path, changed);
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(fileBytes(path), oldBytes);
}
