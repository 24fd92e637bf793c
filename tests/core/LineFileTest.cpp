#include "core/io/LineFile.h"
#include "core/io/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
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

TEST(LineFile, FallsBackToWindows1252PerByte) {
    // Valid UTF-8 stays UTF-8 beside a stray byte of an older system.
    EXPECT_EQ(decodeLines("caf\xC3\xA9 \xE9t\xE9"),
              QStringList{QString::fromUtf8("caf\xC3\xA9 \xC3\xA9t\xC3\xA9")});
    // Overlong forms and surrogates are no UTF-8: each byte is a character of its own.
    EXPECT_EQ(decodeLines("\xC0\xAF\xED\xA0\x80"),
              QStringList{QString::fromUtf8("\xC3\x80\xC2\xAF\xC3\xAD\xC2\xA0\xE2\x82\xAC")});
    EXPECT_EQ(decodeLines("\xF0\x9F\x98\x80"), QStringList{QString::fromUtf8("\xF0\x9F\x98\x80")});
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

TEST(SafeFile, WritesReplaceALinkNeverItsTarget) {
    QTemporaryDir dir;
    const QString target = dir.filePath("precious.txt");
    ASSERT_TRUE(writeLines(target, {"precious"}).ok);
    const QString link = dir.filePath("CFXReport.txt");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(writeLines(link, {"report"}).ok);
    EXPECT_EQ(fileBytes(target), QByteArray("precious\r\n"));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(fileBytes(link), QByteArray("report\r\n"));

    // A dangling link does not create its target.
    const QString dangling = dir.filePath("CFXRawCSV.txt");
    ASSERT_TRUE(QFile::link(dir.filePath("created-elsewhere.txt"), dangling));
    ASSERT_TRUE(writeLines(dangling, {"raw"}).ok);
    EXPECT_FALSE(QFile::exists(dir.filePath("created-elsewhere.txt")));
    EXPECT_EQ(fileBytes(dangling), QByteArray("raw\r\n"));
}

TEST(SafeFile, AFailedWriteSaysTheSystemsReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.txt");
    ASSERT_TRUE(writeLines(path, {"old"}).ok);
    // A file size limit fails the write as a full disk does, with a reason of the system.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult r = writeFileBytes(path, QByteArray(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QString::fromLocal8Bit(strerror(EFBIG)));
    EXPECT_EQ(fileBytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"big.txt"});
}

TEST(SafeFile, FilesAreReplacedTogetherOrNotAtAll) {
    QTemporaryDir dir;
    const QString first = dir.filePath("CFXReport.txt");
    const QString second = dir.filePath("CFXRawCSV.txt");
    ASSERT_TRUE(writeLines(first, {"old report"}).ok);
    // The second cannot be replaced: a folder stands in its place.
    ASSERT_TRUE(QDir(dir.path()).mkdir("CFXRawCSV.txt"));
    const FileSetResult r = writeFilesTogether({{first, "new report\r\n"}, {second, "raw\r\n"}});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.path, second);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(fileBytes(first), QByteArray("old report\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{"CFXRawCSV.txt", "CFXReport.txt"}));

    ASSERT_TRUE(QDir(dir.path()).rmdir("CFXRawCSV.txt"));
    ASSERT_TRUE(writeFilesTogether({{first, "new report\r\n"}, {second, "raw\r\n"}}).ok);
    EXPECT_EQ(fileBytes(first), QByteArray("new report\r\n"));
    EXPECT_EQ(fileBytes(second), QByteArray("raw\r\n"));
}

TEST(LineFile, ReadsOnlyRegularFilesOfBoundedSize) {
    QTemporaryDir dir;
    QStringList lines;
    QString error;
    // A FIFO would make the read wait for a writer for ever; a device never ends.
    const QString fifo = dir.filePath("hotkeysetup.txt");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(readLines(fifo, lines, error));
    EXPECT_FALSE(error.isEmpty());
    const QString zero = dir.filePath("zero.txt");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    EXPECT_FALSE(readLines(zero, lines, error));
    const QString large = dir.filePath("large.txt");
    ASSERT_TRUE(writeFileBytes(large, QByteArray(kMaxLineFileBytes + 1, '\n')).ok);
    EXPECT_FALSE(readLines(large, lines, error));
    EXPECT_TRUE(readLines(large, lines, error, kMaxLineFileBytes + 1));
}
