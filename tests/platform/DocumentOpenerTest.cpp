#include "platform/DocumentOpener.h"
#include "tests/support/MessageBoxWatcher.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace cfx;

namespace {

cfx::docx::Document sample() {
    cfx::docx::Document doc;
    doc.paragraph({{QStringLiteral("Chronofex Report"), false, 18}});
    return doc;
}

} // namespace

class DocumentOpenerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withoutAHandlerOnlyTheMessageIsShown() {
        QTemporaryDir dir;
        int launches = 0;
        DocumentOpener opener([] { return QString(); },
                              [&](const QUrl&) { return ++launches, true; }, dir.filePath("r"));
        MessageBoxWatcher watcher;
        watcher.arm();
        QVERIFY(!opener.open(sample(), QStringLiteral("Chronofex Report"), nullptr));
        QCOMPARE(watcher.seen, 1);
        QCOMPARE(watcher.title, QStringLiteral("Could not create Report"));
        QCOMPARE(watcher.text, QStringLiteral("CFX could not create a Report in MS Word\n"
                                              "Please ensure Word is correctly installed"));
        QCOMPARE(watcher.icon, QMessageBox::Warning);
        QCOMPARE(launches, 0);
        QVERIFY(!QFileInfo::exists(dir.filePath("r")) || QDir(dir.filePath("r")).isEmpty());
        QVERIFY(opener.lastPath().isEmpty());
    }

    void documentsOlderThanAMonthAreRemoved() {
        QTemporaryDir dir;
        DocumentOpener opener([] { return QStringLiteral("writer.desktop"); },
                              [](const QUrl&) { return true; }, dir.filePath("reports"));
        QVERIFY(opener.open(sample(), QStringLiteral("Chronofex Report"), nullptr));
        const QString recent = opener.lastPath();
        QVERIFY(opener.open(sample(), QStringLiteral("Chronofex Report"), nullptr));
        const QString old = opener.lastPath();
        QFile oldFile(old);
        QVERIFY(oldFile.open(QIODevice::ReadWrite));
        QVERIFY(oldFile.setFileTime(QDateTime::currentDateTime().addDays(-31),
                                    QFileDevice::FileModificationTime));
        oldFile.close();
        QFile keep(dir.filePath("reports/notes.txt"));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        QVERIFY(keep.setFileTime(QDateTime::currentDateTime().addDays(-90),
                                 QFileDevice::FileModificationTime));
        keep.close();

        QCOMPARE(opener.removeOldDocuments(QDateTime::currentDateTime()), 1);
        QVERIFY(!QFile::exists(old));
        QVERIFY(QFile::exists(recent));
        QVERIFY(QFile::exists(keep.fileName())); // only the program's own documents
    }

    void eachReportIsANewDocumentHandedToTheApplication() {
        QTemporaryDir dir;
        QList<QUrl> launched;
        DocumentOpener opener([] { return QStringLiteral("writer.desktop"); },
                              [&](const QUrl& url) { return launched << url, true; },
                              dir.filePath("reports"));
        QVERIFY(opener.open(sample(), QStringLiteral("Chronofex Rate Report"), nullptr));
        QVERIFY(opener.open(sample(), QStringLiteral("Chronofex Rate Report"), nullptr));
        QCOMPARE(launched.size(), 2);
        QVERIFY(launched[0] != launched[1]);
        for (const QUrl& url : launched) {
            const QFileInfo file(url.toLocalFile());
            QCOMPARE(file.absolutePath(), QDir(dir.filePath("reports")).absolutePath());
            // Named by the kind and the minute; the second of one minute gets a number.
            static const QRegularExpression named(QStringLiteral(
                R"(^Chronofex Rate Report \d{4}-\d\d-\d\d \d\d-\d\d( \(2\))?\.docx$)"));
            QVERIFY2(named.match(file.fileName()).hasMatch(), qPrintable(file.fileName()));
            QFile f(file.filePath());
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.read(2), QByteArray("PK"));
        }
        QCOMPARE(opener.lastPath(), launched[1].toLocalFile());
    }

    void aDocumentThatCannotBeWrittenOrOpenedShowsTheMessage() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("taken"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        int launches = 0;
        DocumentOpener unwritable([] { return QStringLiteral("writer.desktop"); },
                                  [&](const QUrl&) { return ++launches, true; },
                                  dir.filePath("taken"));
        MessageBoxWatcher watcher;
        watcher.arm();
        QVERIFY(!unwritable.open(sample(), QStringLiteral("R"), nullptr));
        QCOMPARE(watcher.seen, 1);
        QCOMPARE(launches, 0);

        // The application cannot be started: the message, and no document left behind.
        DocumentOpener refused([] { return QStringLiteral("writer.desktop"); },
                               [](const QUrl&) { return false; }, dir.filePath("reports"));
        watcher.arm();
        QVERIFY(!refused.open(sample(), QStringLiteral("R"), nullptr));
        QCOMPARE(watcher.seen, 2);
        QVERIFY(QDir(dir.filePath("reports")).isEmpty());
    }

    void theDesktopQueryFindsNoApplicationInAnEmptyDesktop() {
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
            QSKIP("xdg-mime is not installed");
        QTemporaryDir home;
        const QByteArray data = QFile::encodeName(home.filePath("data"));
        const QByteArray config = QFile::encodeName(home.filePath("config"));
        QDir().mkpath(home.filePath("data/applications"));
        QDir().mkpath(home.filePath("config"));
        qputenv("XDG_DATA_HOME", data);
        qputenv("XDG_DATA_DIRS", data);
        qputenv("XDG_CONFIG_HOME", config);
        qputenv("XDG_CONFIG_DIRS", config);
        qunsetenv("XDG_CURRENT_DESKTOP");
        QCOMPARE(DocumentOpener::queryDefaultHandler(), QString());
    }
};

QTEST_MAIN(DocumentOpenerTest)
#include "DocumentOpenerTest.moc"
