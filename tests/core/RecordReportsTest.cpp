#include "core/io/RecordReports.h"

#include "core/RecordTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cfx;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// The titles, then records written as the reports number them (the number is their place).
RecordTable table(const QList<QStringList>& rows) {
    RecordTable out(rows.value(0));
    for (qsizetype r = 1; r < rows.size(); ++r)
        out.append(rows[r].mid(1, rows[r].size() - 2), rows[r].last());
    return out;
}

const QStringList kRateHeader{
    "#", "No. cycles", "Time of Reading", "Average Rate s/c", "Average Rate c/min", "Comment"};
const QStringList kSpeedHeader{"#", "Time of Speed Reading", "Average Speed", "Comment"};

} // namespace

TEST(RecordReports, RateFilesLineForLine) {
    // The reading times carry a comma, as some locales write them; the first comment has a
    // comma and a quote, the second record none.
    RecordTable records =
        table({kRateHeader,
               {"1", "4", "07.12.2026, 23:40:01", "1,30", "46,15", "pump, \"left\""},
               {"2", "1", "07.12.2026, 23:41:10", "1,50", "40,00", ""}});
    QTemporaryDir dir;
    ASSERT_TRUE(
        writeRecordFiles(dir.path(), records, RecordReportKind::rate(), "07.12.2026 23:50:00").ok);
    EXPECT_EQ(fileBytes(dir.filePath("CFXRateResults.txt")),
              QByteArray("Chronofex Rate Report created at: 07.12.2026 23:50:00\r\n"
                         "\r\n"
                         "#1\r\n"
                         "No. cycles measured: 4\r\n"
                         "Time of Rate reading: 07.12.2026, 23:40:01\r\n"
                         "Average Rate sec/cycle: 1,30\r\n"
                         "Average Rate cycles/min: 46,15\r\n"
                         "Comment: pump, \"left\"\r\n"
                         "\r\n"
                         "#2\r\n"
                         "No. cycles measured: 1\r\n"
                         "Time of Rate reading: 07.12.2026, 23:41:10\r\n"
                         "Average Rate sec/cycle: 1,50\r\n"
                         "Average Rate cycles/min: 40,00\r\n"
                         "\r\n"));
    EXPECT_EQ(
        fileBytes(dir.filePath("CFXRateRawCSV.txt")),
        QByteArray("#,No. cycles,Time of Reading,Average Rate s/c,Average Rate c/min,Comment,\r\n"
                   // A quote inside the quoted comment is doubled, so the line parses.
                   "1,4,07.12.2026, 23:40:01,1,30,46,15,\"pump, \"\"left\"\"\",\r\n"
                   "2,1,07.12.2026, 23:41:10,1,50,40,00,\"\",\r\n"));
}

TEST(RecordReports, SpeedFilesLineForLineAndASecondWriteReplacesBoth) {
    RecordTable records =
        table({kSpeedHeader,
               {"1", "07/12/2026 23:42:00", "36.0 kph", QString::fromUtf8("caf\xC3\xA9 run")},
               {"2", "07/12/2026 23:43:30", "20.4545 mph", ""}});
    QTemporaryDir dir;
    const auto& kind = RecordReportKind::speed();
    ASSERT_TRUE(writeRecordFiles(dir.path(), records, kind, "07/12/2026 23:50:00").ok);
    EXPECT_EQ(fileBytes(dir.filePath("CFXSpeedResults.txt")),
              QByteArray("Chronofex Speed Report created at: 07/12/2026 23:50:00\r\n"
                         "\r\n"
                         "#1\r\n"
                         "Speed reading taken at: 07/12/2026 23:42:00\r\n"
                         "Average Speed: 36.0 kph\r\n"
                         "Comment: caf\xC3\xA9 run\r\n"
                         "\r\n"
                         "#2\r\n"
                         "Speed reading taken at: 07/12/2026 23:43:30\r\n"
                         "Average Speed: 20.4545 mph\r\n"
                         "\r\n"));
    EXPECT_EQ(fileBytes(dir.filePath("CFXSpeedRawCSV.txt")),
              QByteArray("#,Time of Speed Reading,Average Speed,Comment,\r\n"
                         "1,07/12/2026 23:42:00,36.0 kph,\"caf\xC3\xA9 run\",\r\n"
                         "2,07/12/2026 23:43:30,20.4545 mph,\"\",\r\n"));

    // Pressing the button again with fewer records: both files hold only the new report.
    records =
        table({kSpeedHeader,
               {"1", "07/12/2026 23:42:00", "36.0 kph", QString::fromUtf8("caf\xC3\xA9 run")}});
    ASSERT_TRUE(writeRecordFiles(dir.path(), records, kind, "07/12/2026 23:55:00").ok);
    EXPECT_EQ(fileBytes(dir.filePath("CFXSpeedResults.txt")),
              QByteArray("Chronofex Speed Report created at: 07/12/2026 23:55:00\r\n"
                         "\r\n"
                         "#1\r\n"
                         "Speed reading taken at: 07/12/2026 23:42:00\r\n"
                         "Average Speed: 36.0 kph\r\n"
                         "Comment: caf\xC3\xA9 run\r\n"
                         "\r\n"));
    EXPECT_EQ(fileBytes(dir.filePath("CFXSpeedRawCSV.txt")),
              QByteArray("#,Time of Speed Reading,Average Speed,Comment,\r\n"
                         "1,07/12/2026 23:42:00,36.0 kph,\"caf\xC3\xA9 run\",\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(RecordReports, NoRecordsGiveTheTitleAndTheHeaderOnly) {
    RecordTable records = table({kRateHeader});
    EXPECT_EQ(recordReportLines(records, RecordReportKind::rate(), "D"),
              (QStringList{"Chronofex Rate Report created at: D", ""}));
    EXPECT_EQ(recordRawLines(records, RecordReportKind::rate()),
              QStringList{"#,No. cycles,Time of Reading,Average Rate s/c,Average Rate c/min,"
                          "Comment,"});
}

TEST(RecordReports, AFailureNamesTheFileThatCouldNotBeWritten) {
    RecordTable records = table({kSpeedHeader, {"1", "07/12/2026 23:42:00", "36.0 kph", ""}});
    QTemporaryDir dir;
    // A folder where the raw file should go: the readable report is written, the raw file not.
    ASSERT_TRUE(QDir(dir.path()).mkdir("CFXSpeedRawCSV.txt"));
    RecordFilesResult r = writeRecordFiles(dir.path(), records, RecordReportKind::speed(), "D");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.path, dir.filePath("CFXSpeedRawCSV.txt"));
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(r.message().contains("CFXSpeedRawCSV.txt"));
    EXPECT_TRUE(r.message().contains(r.error));

    r = writeRecordFiles(dir.filePath("missing"), records, RecordReportKind::rate(), "D");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.path.endsWith("CFXRateResults.txt"));
}
