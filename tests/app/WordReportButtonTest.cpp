#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/ProgramOnFakeClock.h"

#include "app/Application.h"
#include "core/Session.h"
#include "gui/MainPanel.h"
#include "gui/ReportWindow.h"
#include "gui/StopwatchActions.h"
#include "platform/DocumentOpener.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

using namespace cfx;

namespace {

QByteArray documentXmlOf(const QString& docx) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(docx).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return {};
    QByteArray xml;
    zip_stat_t st;
    if (zip_stat(archive, "word/document.xml", 0, &st) == 0) {
        xml.resize(static_cast<qsizetype>(st.size));
        zip_file_t* f = zip_fopen(archive, "word/document.xml", 0);
        zip_fread(f, xml.data(), st.size);
        zip_fclose(f);
    }
    zip_close(archive);
    return xml;
}

} // namespace

class WordReportButtonTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_program;
    FakeClock* m_time = nullptr;
    QList<QUrl> m_opened;
    QString m_handler = QStringLiteral("writer.desktop");

    QPushButton* wordButton() {
        return m_program->report().findChild<QPushButton*>(QStringLiteral("writeWordcmnd"));
    }
    QString documents() const { return QDir(m_dir.path()).filePath(QStringLiteral("docs")); }

    // Two readings 1.5 s apart, the first with a comment holding a ";".
    void takeTwoReadings() {
        m_program->actions().startStop()->trigger();
        runFor(*m_program, *m_time, 1500);
        m_program->actions().snap()->trigger();
        runFor(*m_program, *m_time, 1500);
        m_program->actions().snap()->trigger();
        m_program->actions().startStop()->trigger();
        m_program->readings().addComment(1, QStringLiteral("first; lap"));
    }

private Q_SLOTS:
    void init() {
        m_opened.clear();
        QDir(documents()).removeRecursively();
        m_program = loadProgramOnFakeClock(m_dir.path(), m_time);
        m_program->setDocumentOpener(std::make_unique<DocumentOpener>(
            [this] { return m_handler; }, [this](const QUrl& url) { return m_opened << url, true; },
            documents()));
    }
    void cleanup() { m_program.reset(); }

    void eachClickOpensANewDocumentAndKeepsTheReadings() {
        takeTwoReadings();
        QCOMPARE(m_program->readings().recordCount(), 2);
        const bool stampPending = m_program->readings().stampPending();
        QVERIFY(wordButton()->isEnabled());

        wordButton()->click();
        QCOMPARE(m_opened.size(), 1);
        const QByteArray xml = documentXmlOf(m_opened[0].toLocalFile());
        QCOMPARE(xml.count("<w:tr>"), 3); // header and two readings
        QVERIFY(xml.contains("<w:t>first; lap</w:t>"));
        QVERIFY(xml.contains("<w:t>Time Gap</w:t>"));

        // Nothing in the report changed: same readings, buttons, session.
        QCOMPARE(m_program->readings().recordCount(), 2);
        QCOMPARE(m_program->readings().reading(1).comment, QStringLiteral("first; lap"));
        QVERIFY(wordButton()->isEnabled());
        QVERIFY(m_program->report()
                    .findChild<QPushButton*>(QStringLiteral("writefilecmnd"))
                    ->isEnabled());
        QCOMPARE(m_program->readings().stampPending(), stampPending);

        wordButton()->click();
        QCOMPARE(m_opened.size(), 2);
        QVERIFY(m_opened[0] != m_opened[1]);
        QVERIFY(QFileInfo::exists(m_opened[0].toLocalFile()));
    }

    void withoutAWordProcessorOnlyTheMessageIsShown() {
        takeTwoReadings();
        m_handler.clear();
        MessageBoxWatcher watcher;
        watcher.arm();
        wordButton()->click();
        QCOMPARE(watcher.seen, 1);
        QCOMPARE(watcher.title, DocumentOpener::kFailureTitle);
        QCOMPARE(watcher.text, DocumentOpener::kFailureText);
        QCOMPARE(watcher.icon, QMessageBox::Warning);
        QVERIFY(m_opened.isEmpty());
        QVERIFY(!QFileInfo::exists(documents()) || QDir(documents()).isEmpty());
        QCOMPARE(m_program->readings().recordCount(), 2);
        QVERIFY(wordButton()->isEnabled());
    }
};

QTEST_MAIN(WordReportButtonTest)
#include "WordReportButtonTest.moc"
