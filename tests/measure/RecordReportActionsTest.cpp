#include "measure/RecordReportActions.h"

#include "outside/DocumentOpener.h"
#include "outside/GridModel.h"
#include "tests/outside/MessageBoxWatcher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void fillSpeed(GridModel& grid) {
    const QList<QStringList> rows{{"#", "Time of Speed Reading", "Average Speed", "Comment"},
                                  {"1", "07/12/2026 23:42:00", "36.0 kph", "a;b"}};
    grid.setRows(2);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            grid.setTextMatrix(r, c, rows[r][c]);
}

} // namespace

class RecordReportActionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textFilesAreWrittenWithoutAMessage() {
        QTemporaryDir dir;
        GridModel grid(4);
        fillSpeed(grid);
        MessageBoxWatcher watcher;
        QVERIFY(
            cfx::writeRecordFilesFor(nullptr, dir.path(), grid, cfx::RecordReportKind::speed()));
        QCoreApplication::processEvents();
        QCOMPARE(watcher.seen, 0);
        QFile raw(dir.filePath("CFXSpeedRawCSV.txt"));
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QCOMPARE(raw.readAll(), QByteArray("#,Time of Speed Reading,Average Speed,Comment,\r\n"
                                           "1,07/12/2026 23:42:00,36.0 kph,\"a;b\",\r\n"));
    }

    void aFileThatCannotBeWrittenIsNamedInAMessage() {
        QTemporaryDir dir;
        GridModel grid(6);
        MessageBoxWatcher watcher;
        watcher.arm();
        QVERIFY(!cfx::writeRecordFilesFor(nullptr, dir.filePath("gone"), grid,
                                          cfx::RecordReportKind::rate()));
        QCOMPARE(watcher.seen, 1);
        QCOMPARE(watcher.icon, QMessageBox::Critical);
        QVERIFY(watcher.text.contains(
            QDir::toNativeSeparators(QDir(dir.filePath("gone")).filePath("CFXRateResults.txt"))));
    }

    void theWordReportIsHandedToTheDocumentOpener() {
        QTemporaryDir dir;
        GridModel grid(4);
        fillSpeed(grid);
        QList<QUrl> opened;
        DocumentOpener opener([] { return QStringLiteral("writer.desktop"); },
                              [&](const QUrl& url) { return opened << url, true; }, dir.path());
        QVERIFY(cfx::openRecordDocumentFor(nullptr, opener, grid, cfx::RecordReportKind::speed()));
        QCOMPARE(opened.size(), 1);
        QVERIFY(QFileInfo(opened[0].toLocalFile())
                    .fileName()
                    .startsWith(QStringLiteral("Chronofex Speed Report ")));
        // The records are read, not consumed.
        QCOMPARE(grid.rows(), 2);
    }
};

QTEST_MAIN(RecordReportActionsTest)
#include "RecordReportActionsTest.moc"
