#include "tests/support/ProgramOnFakeClock.h"

#include "app/Application.h"
#include "core/Session.h"
#include "gui/MainPanel.h"
#include "gui/ReportWindow.h"
#include "gui/StopwatchActions.h"
#include "platform/DocumentOpener.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <zip.h>

#include <functional>

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
            [this](const QString&) { return m_handler; },
            [this](const QUrl& url) { return m_opened << url, true; }, documents()));
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

    void withoutAWordProcessorTheDocumentIsWrittenAndTheUserToldWhere() {
        takeTwoReadings();
        m_handler.clear();
        // The message offers the folder; the desktop has nothing to open it with either, and
        // says so in a second message.
        QStringList texts;
        QStringList names;
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                QTimer::singleShot(20, answer);
                return;
            }
            texts << box->text();
            names << box->objectName();
            QAbstractButton* openFolder = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == QStringLiteral("Open Folder"))
                    openFolder = b;
            }
            if (openFolder) {
                openFolder->click();
                QTimer::singleShot(20, answer);
            } else {
                box->accept();
            }
        };
        QTimer::singleShot(20, answer);
        wordButton()->click();
        QCOMPARE(names, (QStringList{"DocumentNotOpened", "FolderNotOpened"}));
        const QStringList written = QDir(documents()).entryList({"*.docx"}, QDir::Files);
        QCOMPARE(written.size(), 1);
        const QString path = QDir(documents()).filePath(written[0]);
        QVERIFY(texts[0].contains(QDir::toNativeSeparators(path)));
        QVERIFY(!texts[0].contains("Please ensure Word"));
        QVERIFY(texts[1].contains(QDir::toNativeSeparators(documents())));
        QCOMPARE(documentXmlOf(path).count("<w:tr>"), 3);
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(m_program->readings().recordCount(), 2);
        QVERIFY(wordButton()->isEnabled());
    }
};

QTEST_MAIN(WordReportButtonTest)
#include "WordReportButtonTest.moc"
