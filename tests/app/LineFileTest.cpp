#include "core/io/LineFile.h"

#include <QDir>
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
} // namespace

TEST(LineFile, WritesCrLfAfterEveryLineInUtf8) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    ASSERT_TRUE(writeLines(path, {"one", "", QString::fromUtf8("caf\xC3\xA9"), "a\r\nb"}).ok);
    EXPECT_EQ(fileBytes(path), QByteArray("one\r\n\r\ncaf\xC3\xA9\r\na\r\nb\r\n"));
    // Replaced on each write.
    ASSERT_TRUE(writeLines(path, {"x"}).ok);
    EXPECT_EQ(fileBytes(path), QByteArray("x\r\n"));
}

TEST(LineFile, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.txt");
    ASSERT_TRUE(writeLines(path, {"old"}).ok);
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    const FileResult r = writeLines(path, {"new"});
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(fileBytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.txt"});
}

TEST(LineFile, WriteIntoAMissingFolderFailsWithAReason) {
    QTemporaryDir dir;
    const FileResult r = writeLines(dir.filePath("no/such/folder/f.txt"), {"x"});
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
}

TEST(LineFile, SplitsAtEveryKindOfLineEnd) {
    EXPECT_EQ(decodeLines("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(decodeLines("a\r\n"), QStringList{"a"});
    EXPECT_EQ(decodeLines("a\r\n\r\n"), (QStringList{"a", ""}));
    EXPECT_EQ(decodeLines(""), QStringList{});
    EXPECT_EQ(decodeLines("\xEF\xBB\xBFhi\r\n"), QStringList{"hi"});
    // Only the file's first mark is skipped; one starting a later line is kept as text.
    EXPECT_EQ(decodeLines("\xEF\xBB\xBF"
                          "a\r\n\xEF\xBB\xBF"
                          "b"),
              (QStringList{"a", QString(QChar(0xFEFF)) + "b"}));
}

TEST(LineFile, FallsBackToWindows1252PerLine) {
    const QStringList lines = decodeLines("caf\xE9\r\ncaf\xC3\xA9\r\n\x80 \x93q\x94\r\n");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(lines[1], QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(lines[2], QString::fromUtf8("\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D"));
}

TEST(LineFile, ReadsBackWhatItWrote) {
    QTemporaryDir dir;
    const QString path = dir.filePath("round.txt");
    const QStringList lines{"10", "200", "", QString::fromUtf8("\xC3\xA9t\xC3\xA9")};
    ASSERT_TRUE(writeLines(path, lines).ok);
    QStringList back;
    QString error;
    ASSERT_TRUE(readLines(path, back, error));
    EXPECT_EQ(back, lines);
    EXPECT_FALSE(readLines(dir.filePath("missing"), back, error));
    EXPECT_FALSE(error.isEmpty());
}
