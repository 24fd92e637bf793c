#include "platform/DocumentOpener.h"

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
    void withoutAHandlerTheDocumentIsWrittenAndNotHandedOn() {
        QTemporaryDir dir;
        int launches = 0;
        QStringList asked;
        DocumentOpener opener([&](const QString& type) { return asked << type, QString(); },
                              [&](const QUrl&) { return ++launches, true; }, dir.filePath("r"));
        const DocumentOpener::Result result =
            opener.open(sample(), QStringLiteral("Chronofex Report"));
        QCOMPARE(result.outcome, DocumentOpener::Result::Outcome::NotOpened);
        QCOMPARE(QFileInfo(result.path).absolutePath(), QDir(dir.filePath("r")).absolutePath());
        QFile written(result.path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.read(2), QByteArray("PK"));
        QCOMPARE(opener.lastPath(), result.path);
        QCOMPARE(launches, 0);
        // Nor is a folder handed to a desktop that has nothing to show folders with.
        QVERIFY(!opener.openFolder(dir.path()));
        QCOMPARE(launches, 0);
        QCOMPARE(asked, (QStringList{DocumentOpener::kDocxType, DocumentOpener::kFolderType}));
    }

    void eachReportIsANewDocumentHandedToTheApplication() {
        QTemporaryDir dir;
        QList<QUrl> launched;
        DocumentOpener opener([](const QString&) { return QStringLiteral("writer.desktop"); },
                              [&](const QUrl& url) { return launched << url, true; },
                              dir.filePath("reports"));
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(opener.open(sample(), QStringLiteral("Chronofex Rate Report")).outcome,
                     DocumentOpener::Result::Outcome::Opened);
        }
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
        QVERIFY(opener.openFolder(dir.path()));
        QCOMPARE(launched.last(), QUrl::fromLocalFile(dir.path()));
    }

    void aDocumentThatCannotBeWrittenOrOpenedSaysSo() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("taken"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        int launches = 0;
        DocumentOpener unwritable([](const QString&) { return QStringLiteral("writer.desktop"); },
                                  [&](const QUrl&) { return ++launches, true; },
                                  dir.filePath("taken"));
        const DocumentOpener::Result notWritten = unwritable.open(sample(), QStringLiteral("R"));
        QCOMPARE(notWritten.outcome, DocumentOpener::Result::Outcome::NotWritten);
        QVERIFY(!notWritten.error.isEmpty());
        QVERIFY(notWritten.path.isEmpty());
        QCOMPARE(launches, 0);

        // The application cannot be started: the document stays where it was written.
        DocumentOpener refused([](const QString&) { return QStringLiteral("writer.desktop"); },
                               [](const QUrl&) { return false; }, dir.filePath("reports"));
        const DocumentOpener::Result notOpened = refused.open(sample(), QStringLiteral("R"));
        QCOMPARE(notOpened.outcome, DocumentOpener::Result::Outcome::NotOpened);
        QVERIFY(QFileInfo(notOpened.path).isFile());
        QVERIFY(!refused.openFolder(dir.path()));
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
