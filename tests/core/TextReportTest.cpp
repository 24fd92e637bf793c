#include "core/io/TextReport.h"

#include "core/GapStatistics.h"
#include "core/NumberText.h"
#include "core/Session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

using namespace cfx;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

class TextReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A stopped reading first, then two running ones; record 2 is excluded and commented
        // with a comma, record 3 has a comment of one blank.
        model.appendReading(520, true, "20", false, "00:00:05.20");
        model.appendReading(1000, false, "00", false, "00:00:10.00");
        model.appendReading(1250, false, "50", false, "00:00:12.50");
        model.refreshReadings();
        model.exclude(2);
        model.addComment(2, "lap, \"fast\"");
        model.addComment(3, " ");
        model.setStampPending(false); // the first reading stamped the session
    }
    QString pct(double v) const { return cfx::formatFixed(v); }

    Session model;
    cfx::ReportHeader header{QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)), "100", "stamp"};
};

TEST_F(TextReportTest, BothFilesByteForByte) {
    QTemporaryDir dir;
    ASSERT_TRUE(cfx::writeReportAndClear(dir.path(), model, header, 100).ok);
    const QString d = cfx::generalDate(header.created);
    const QString report = "StopWatch Report created at: " + d + "\r\n" +
                           "Note: An 's' prefixed to Time indicates timer was\r\n"
                           "stopped when this reading was taken\r\n"
                           "\r\n"
                           "Timer resolution was set to 100 events per second\r\n"
                           "\r\n"
                           "This timing session was started at: stamp\r\n"
                           "\r\n"
                           "#1\r\nTime: S00:00:05.20\r\n%: " +
                           pct(41.6) +
                           "\r\nTime Gap: 00:00:05.20\r\n\r\n"
                           "#2\r\nTime: 00:00:10.00\r\n%: " +
                           pct(80) +
                           "\r\nTime Gap: 00:00:04.80\r\n"
                           "Comment: lap, \"fast\"\r\n\r\n"
                           "#3\r\nTime: 00:00:12.50\r\n%: " +
                           pct(100) +
                           "\r\nTime Gap: 00:00:02.50\r\n"
                           "Comment:  \r\n\r\n"
                           "\r\n"
                           "Longest Time Gap: 00:00:05.20\r\n"
                           "Shortest Time Gap: 00:00:02.50\r\n"
                           "Average Time Gap: 00:00:03.85\r\n"
                           // Only because a reading is excluded.
                           "Excluded from the statistics: #2\r\n";
    EXPECT_EQ(bytesOf(QDir(dir.path()).filePath("CFXReport.txt")), report.toUtf8());
    const QString raw = "#,Time,%,Comment,\r\n"
                        "1,S00:00:05.20," +
                        pct(41.6) +
                        ",\"\",\r\n"
                        "2,00:00:10.00," +
                        pct(80) +
                        ",\"lap, \"\"fast\"\"\",\r\n" // a quote doubled inside the quotes
                        "3,00:00:12.50," +
                        pct(100) + ",\" \",\r\n" + "Excluded,2,\r\n";
    EXPECT_EQ(bytesOf(QDir(dir.path()).filePath("CFXRawCSV.txt")), raw.toUtf8());
    // After a successful write the report is empty and the next reading opens a new session.
    EXPECT_EQ(model.recordCount(), 0);
    EXPECT_TRUE(model.stampPending());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(TextReportTest, ExcludedOnlyRecordGivesNotApplicable) {
    Session one;
    one.appendReading(520, false, "20", false, "00:00:05.20");
    one.exclude(1);
    const QStringList lines = cfx::stopwatchReportLines(one, header, 100);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(
        lines.mid(lines.size() - 4),
        (QStringList{"Longest Time Gap: Not Applicable", "Shortest Time Gap: Not Applicable",
                     "Average Time Gap: Not Applicable", "Excluded from the statistics: #1"}));
    // Included again, the report ends with the statistics as it always did.
    one.include(1);
    EXPECT_EQ(cfx::stopwatchReportLines(one, header, 100).last(), "Average Time Gap: 00:00:05.20");
    EXPECT_EQ(cfx::rawCsvLines(one).size(), 2);
}

// Root ignores folder permissions; the write then runs under an unprivileged effective user.
class UnprivilegedScope {
public:
    UnprivilegedScope() : m_wasRoot(geteuid() == 0) {
        if (m_wasRoot && seteuid(65534) != 0)
            m_wasRoot = false;
    }
    ~UnprivilegedScope() {
        if (m_wasRoot && seteuid(0) != 0)
            std::abort();
    }
    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

private:
    bool m_wasRoot;
};

TEST_F(TextReportTest, AReadOnlyFolderKeepsEverythingAndSaysWhy) {
    QTemporaryDir dir;
    const QString reportPath = QDir(dir.path()).filePath("CFXReport.txt");
    {
        QFile old(reportPath);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old report\r\n");
    }
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    cfx::ReportWriteResult r;
    {
        UnprivilegedScope scope;
        r = cfx::writeReportAndClear(dir.path(), model, header, 100);
    }
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message().contains("CFXReport.txt")) << r.message().toStdString();
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(r.message().contains(r.error));
    EXPECT_EQ(model.recordCount(), 3);
    EXPECT_EQ(model.text(2, static_cast<ReadingColumn>(3)), "lap, \"fast\"");
    EXPECT_FALSE(model.stampPending());
    EXPECT_EQ(bytesOf(reportPath), QByteArray("old report\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"CFXReport.txt"});
}

TEST_F(TextReportTest, TheSecondFileFailingLeavesTheFirstAsItWas) {
    QTemporaryDir dir;
    const QString reportPath = QDir(dir.path()).filePath("CFXReport.txt");
    {
        QFile old(reportPath);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old report\r\n");
    }
    // A folder where the raw file should go cannot be replaced by a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("CFXRawCSV.txt"));
    const cfx::ReportWriteResult r = cfx::writeReportAndClear(dir.path(), model, header, 100);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.path.endsWith("CFXRawCSV.txt"));
    EXPECT_EQ(model.recordCount(), 3);
    EXPECT_EQ(bytesOf(reportPath), QByteArray("old report\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"CFXReport.txt"});
}

} // namespace
