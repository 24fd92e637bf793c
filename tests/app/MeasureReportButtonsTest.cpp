#include "tests/support/FakeClock.h"
#include "tests/support/MessageBoxWatcher.h"

#include "app/Application.h"
#include "core/RecordTable.h"
#include "gui/RateWindow.h"
#include "gui/SpeedWindow.h"
#include "platform/DocumentOpener.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

using namespace cfx;

namespace {

QByteArray partOf(const QString& docx, const char* part) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(docx).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return {};
    QByteArray xml;
    zip_stat_t st;
    if (zip_stat(archive, part, 0, &st) == 0) {
        xml.resize(static_cast<qsizetype>(st.size));
        zip_file_t* f = zip_fopen(archive, part, 0);
        zip_fread(f, xml.data(), st.size);
        zip_fclose(f);
    }
    zip_close(archive);
    return xml;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Presses a report button; they are enabled once a record has been stored through the dialog,
// which these tests skip.
void press(QWidget& window, const char* name) {
    auto* button = window.findChild<QPushButton*>(QLatin1String(name));
    QVERIFY2(button, name);
    button->setEnabled(true);
    button->click();
}

} // namespace

class MeasureReportButtonsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_program;
    QList<QUrl> m_opened;

    QString data(const char* name) const { return QDir(m_dir.path()).filePath(name); }

private Q_SLOTS:
    void init() {
        m_opened.clear();
        m_program = std::make_unique<Application>(m_dir.path());
        m_program->setTimeSource(std::make_unique<FakeClock>());
        m_program->load();
        m_program->setDocumentOpener(std::make_unique<DocumentOpener>(
            [](const QString&) { return QStringLiteral("writer.desktop"); },
            [this](const QUrl& url) { return m_opened << url, true; }, data("docs")));
    }
    void cleanup() { m_program.reset(); }

    void rateButtonsWriteTheFilesAndOpenTheDocument() {
        RateWindow& rate = m_program->rateWindow();
        rate.addRecord(QStringLiteral("pump; stroke"));
        MessageBoxWatcher watcher;
        watcher.arm();
        press(rate, "FileCmnd");
        // Where the files went.
        QCOMPARE(watcher.seen, 1);
        QCOMPARE(watcher.text, QStringLiteral("Written: CFXRateResults.txt and CFXRateRawCSV.txt "
                                              "in ") +
                                   QDir::toNativeSeparators(m_dir.path()));
        QVERIFY(
            fileBytes(data("CFXRateResults.txt")).startsWith("Chronofex Rate Report created at: "));
        QVERIFY(fileBytes(data("CFXRateRawCSV.txt"))
                    .startsWith("#,No. cycles,Time of Reading,Average Rate s/c,Average Rate "
                                "c/min,Comment,\r\n1,"));
        QVERIFY(fileBytes(data("CFXRateRawCSV.txt")).endsWith(",\"pump; stroke\",\r\n"));

        press(rate, "WordCmnd");
        QCOMPARE(m_opened.size(), 1);
        const QByteArray xml = partOf(m_opened[0].toLocalFile(), "word/document.xml");
        QVERIFY(xml.contains("<w:t>Chronofex Rate Report</w:t>"));
        QCOMPARE(xml.count("<w:gridCol "), 6);
        QCOMPARE(xml.count("<w:t>pump; stroke</w:t>"), 1);
        QCOMPARE(rate.records().count(), 1); // the records stay
    }

    void speedButtonsWriteTheFilesAndOpenTheDocument() {
        SpeedWindow& speed = m_program->speedWindow();
        speed.addRecord(QStringLiteral("run;1"));
        MessageBoxWatcher watcher;
        watcher.arm();
        press(speed, "Command2");
        QCOMPARE(watcher.seen, 1);
        QVERIFY(watcher.text.endsWith(QDir::toNativeSeparators(m_dir.path())));
        QVERIFY(fileBytes(data("CFXSpeedResults.txt"))
                    .startsWith("Chronofex Speed Report created at: "));
        QVERIFY(fileBytes(data("CFXSpeedRawCSV.txt")).endsWith(",\"run;1\",\r\n"));

        press(speed, "Command3");
        QCOMPARE(m_opened.size(), 1);
        const QByteArray xml = partOf(m_opened[0].toLocalFile(), "word/document.xml");
        QVERIFY(xml.contains("<w:t>Chronofex Speed Report</w:t>"));
        QCOMPARE(xml.count("<w:gridCol "), 4);
        QVERIFY(xml.contains("<w:gridCol w:w=\"3800\"/></w:tblGrid>")); // Comment at 190 pt
        QCOMPARE(xml.count("<w:t>run;1</w:t>"), 1);
    }

    void aFileThatCannotBeWrittenIsNamedInAMessage() {
        RateWindow& rate = m_program->rateWindow();
        rate.addRecord(QString());
        QFile::remove(data("CFXRateRawCSV.txt"));
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("CFXRateRawCSV.txt")));
        MessageBoxWatcher watcher;
        watcher.arm();
        press(rate, "FileCmnd");
        QDir(m_dir.path()).rmdir(QStringLiteral("CFXRateRawCSV.txt"));
        QCOMPARE(watcher.seen, 1);
        QCOMPARE(watcher.icon, QMessageBox::Critical);
        QVERIFY(watcher.text.contains(QDir::toNativeSeparators(data("CFXRateRawCSV.txt"))));
    }
};

QTEST_MAIN(MeasureReportButtonsTest)
#include "MeasureReportButtonsTest.moc"
