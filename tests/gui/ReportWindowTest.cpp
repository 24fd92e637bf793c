#include "gui/ReportWindow.h"

#include "core/Session.h"
#include "core/io/TextReport.h"
#include "gui/GapChart.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace cfx;

class ReportWindowTest : public QObject {
    Q_OBJECT
private:
    template <typename T> T* child(ReportWindow& w, const char* name) {
        T* c = w.findChild<T*>(QLatin1String(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
    static void snap(Session& m, qint32 cs, bool stoodStill = false) {
        m.appendReading(cs, stoodStill, "00", false,
                        QStringLiteral("00:00:%1.00").arg(cs / 100, 2, 10, QLatin1Char('0')));
        m.refreshReadings();
    }

private Q_SLOTS:
    void readingsCopyAsTabSeparatedLinesAndAnEmptyReportKeepsNoFigures() {
        Session m;
        ReportWindow w(m);
        snap(m, 100);
        snap(m, 350, true);
        snap(m, 400);
        m.addComment(2, "tab\there");
        QCoreApplication::processEvents();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* grid = child<QTableView>(w, "TimerResults");
        grid->setFocus();
        grid->selectRow(0);
        QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        const QString share1 = grid->model()->index(0, 2).data().toString();
        const QString share2 = grid->model()->index(1, 2).data().toString();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "1\t00:00:01.00\t" + share1 + "\t00:00:01.00\t\n" + "2\tS00:00:03.00\t" + share2 +
                     "\t00:00:02.50\ttab here\n");
        QAction* copyAll = nullptr;
        for (QAction* a : grid->actions()) {
            if (a->text() == QStringLiteral("Copy All"))
                copyAll = a;
        }
        QVERIFY(copyAll);
        QCOMPARE(grid->contextMenuPolicy(), Qt::ActionsContextMenu);
        copyAll->trigger();
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 5); // titles, three readings, the final line end
        QCOMPARE(lines[0], QStringLiteral("#\tTime\t%\tGap\tComment"));
        QVERIFY(lines[3].startsWith("3\t00:00:04.00\t"));

        // Emptied, the statistics line tells screen readers nothing of the readings gone.
        auto* statistics = child<QLabel>(w, "StatisticsLine");
        QTRY_VERIFY(statistics->accessibleDescription().contains("Included: 3"));
        m.clearReport();
        QTRY_COMPARE(statistics->text(), QStringLiteral("No readings"));
        QCOMPARE(statistics->accessibleDescription(), QStringLiteral("No readings"));
    }

    void startsEmptyWithEveryControl() {
        Session m;
        ReportWindow w(m);
        QCOMPARE(w.windowTitle(), QStringLiteral("Chronofex - Report"));
        QCOMPARE(child<QLineEdit>(w, "Text5")->text(), QStringLiteral(" "));
        QCOMPARE(child<QLineEdit>(w, "Text6")->maxLength(), 36);
        QCOMPARE(child<QPushButton>(w, "writefilecmnd")->text(),
                 QStringLiteral("Write to Text File && Clear"));
        QCOMPARE(child<QLabel>(w, "Label1")->text(),
                 QStringLiteral("this record in all Time calculations"));
        for (const char* name : {"flexcmnd", "Command1", "writefilecmnd", "writeWordcmnd"})
            QVERIFY2(!child<QPushButton>(w, name)->isEnabled(), name);
        QVERIFY(!child<QScrollBar>(w, "VScroll1")->isEnabled());
        auto* grid = child<QTableView>(w, "TimerResults");
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("#"));
        QCOMPARE(grid->model()->headerData(4, Qt::Horizontal).toString(),
                 QStringLiteral("Comment"));
        // The design's width at least, and room for a whole stopped-reading time.
        QVERIFY(grid->columnWidth(1) >= twipsToPixels(1050));
        QVERIFY(grid->columnWidth(1) >
                grid->fontMetrics().horizontalAdvance(QStringLiteral("S00:00:00.00")));
        QVERIFY(!w.wideLayout());
    }

    void snapsEnableTheControlsAndTheSixthWidensTheWindow() {
        Session m;
        ReportWindow w(m);
        for (int i = 1; i <= 5; ++i)
            snap(m, i * 100);
        QVERIFY(!w.wideLayout());
        QCOMPARE(w.windowTwips(), ReportWindow::kNarrowTwips);
        QCOMPARE(child<QLineEdit>(w, "Text5")->text(), QStringLiteral("5"));
        QVERIFY(child<QPushButton>(w, "writefilecmnd")->isEnabled());
        QVERIFY(child<QPushButton>(w, "Command1")->isEnabled());
        auto* spinner = child<QScrollBar>(w, "VScroll1");
        QCOMPARE(spinner->maximum(), 5);
        QCOMPARE(spinner->value(), 5);
        snap(m, 600);
        QVERIFY(w.wideLayout());
        QCOMPARE(w.windowTwips(), ReportWindow::kWideTwips);
        const int wideWidth = w.width();
        m.clearReport();
        QVERIFY(!w.wideLayout());
        QCOMPARE(w.windowTwips(), ReportWindow::kClearedTwips);
        QVERIFY(w.width() < wideWidth);
        QVERIFY(!child<QPushButton>(w, "writefilecmnd")->isEnabled());
        QCOMPARE(child<QLineEdit>(w, "Text5")->text(), QStringLiteral(" "));
        for (int i = 1; i <= 6; ++i)
            snap(m, i * 100);
        m.clearReportForReset();
        QCOMPARE(w.windowTwips(), ReportWindow::kNarrowTwips);
    }

    void spinnerExclusionAndComment() {
        Session m;
        ReportWindow w(m);
        snap(m, 100);
        snap(m, 200, true);
        snap(m, 300);
        auto* spinner = child<QScrollBar>(w, "VScroll1");
        auto* toggle = child<QPushButton>(w, "Command1");
        auto* text6 = child<QLineEdit>(w, "Text6");
        spinner->setValue(2);
        QCOMPARE(child<QLineEdit>(w, "Text5")->text(), QStringLiteral("2"));
        auto* grid = child<QTableView>(w, "TimerResults");
        QVERIFY(grid->selectionModel()->isRowSelected(1, {}));
        QCOMPARE(toggle->text(), QStringLiteral("Exclude"));
        toggle->click();
        QVERIFY(m.isExcluded(2));
        QCOMPARE(toggle->text(), QStringLiteral("Include"));
        QCOMPARE(grid->model()->index(1, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(255, 0, 0));
        // Back on an excluded record the toggle offers Include.
        spinner->setValue(1);
        QCOMPARE(toggle->text(), QStringLiteral("Exclude"));
        spinner->setValue(2);
        QCOMPARE(toggle->text(), QStringLiteral("Include"));
        toggle->click();
        QVERIFY(!m.isExcluded(2));

        text6->setText(QStringLiteral("second lap"));
        child<QPushButton>(w, "flexcmnd")->click();
        QCOMPARE(m.reading(2).comment, QStringLiteral("second lap"));
        // The selected record's comment comes back when it is selected again.
        spinner->setValue(3);
        QCOMPARE(text6->text(), QString());
        spinner->setValue(2);
        QCOMPARE(text6->text(), QStringLiteral("second lap"));
        // A record number that is not a record changes nothing.
        child<QLineEdit>(w, "Text5")->setText(QStringLiteral("9"));
        text6->setText(QStringLiteral("lost"));
        child<QPushButton>(w, "flexcmnd")->click();
        toggle->click();
        for (int r = 1; r <= 3; ++r) {
            QVERIFY(m.reading(r).comment != QStringLiteral("lost"));
            QVERIFY(!m.isExcluded(r));
        }
    }

    void clickingARowSelectsItsRecord() {
        Session m;
        ReportWindow w(m);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        snap(m, 100);
        m.addComment(1, QStringLiteral("first"));
        snap(m, 200);
        auto* grid = child<QTableView>(w, "TimerResults");
        const QRect cell = grid->visualRect(grid->model()->index(0, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(child<QLineEdit>(w, "Text5")->text(), QStringLiteral("1"));
        QCOMPARE(child<QLineEdit>(w, "Text6")->text(), QStringLiteral("first"));
        QCOMPARE(child<QScrollBar>(w, "VScroll1")->value(), 1);
        QVERIFY(grid->selectionModel()->isRowSelected(0, {}));
    }

    // The arrows walk the rows with the focus staying in the table (where a screen reader reads
    // each row), the record's controls following; Tab then leaves the table.
    void arrowsWalkTheRowsAndTabLeavesTheTable() {
        Session m;
        ReportWindow w(m);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        snap(m, 100);
        snap(m, 200);
        m.addComment(2, QStringLiteral("second"));
        snap(m, 300);
        auto* grid = child<QTableView>(w, "TimerResults");
        grid->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_Up);
        QCOMPARE(child<QLineEdit>(w, "Text5")->text(), QStringLiteral("2"));
        QCOMPARE(child<QLineEdit>(w, "Text6")->text(), QStringLiteral("second"));
        QCOMPARE(child<QScrollBar>(w, "VScroll1")->value(), 2);
        QVERIFY(grid->selectionModel()->isRowSelected(1, {}));
        QVERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_Up);
        QCOMPARE(child<QLineEdit>(w, "Text5")->text(), QStringLiteral("1"));
        QVERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_Tab);
        QVERIFY(!grid->hasFocus());
        QCOMPARE(QApplication::focusWidget(), child<QCheckBox>(w, "ChartCheck"));
    }

    // The gap column, the statistics line and the chart show what the text report would write.
    void gapsStatisticsAndChartAgreeWithTheTextReport() {
        Session m;
        ReportWindow w(m);
        snap(m, 100);
        snap(m, 350, true);
        snap(m, 400);
        m.exclude(2);
        QCoreApplication::processEvents();
        auto* grid = child<QTableView>(w, "TimerResults");
        QCOMPARE(grid->model()->index(1, 3).data().toString(), QStringLiteral("00:00:02.50"));
        QCOMPARE(grid->model()->index(2, 3).data().toString(), QStringLiteral("00:00:00.50"));
        const QStringList report = stopwatchReportLines(m, {{}, "100", "stamp"}, 100);
        const QString line = child<QLabel>(w, "StatisticsLine")->text();
        QVERIFY2(line.contains(QStringLiteral("Included: 2")), qPrintable(line));
        for (const char* figure : {"Longest", "Shortest", "Average"}) {
            const QString written = report.filter(QLatin1String(figure) + " Time Gap: ").value(0);
            const QString value = written.mid(written.indexOf(": ") + 2);
            QVERIFY(!value.isEmpty());
            QVERIFY2(line.contains(QLatin1String(figure) + ": " + value), qPrintable(line));
        }
        QVERIFY(line.contains(QStringLiteral("Median: 00:00:00.75")));

        child<QCheckBox>(w, "ChartCheck")->setChecked(true);
        auto* chart = child<GapChart>(w, "GapChart");
        QCOMPARE(chart->barCount(), 3);
        QTemporaryDir dir;
        QString error;
        QVERIFY(chart->saveChart(dir.filePath("gaps.png"), &error));
        QCOMPARE(QImage(dir.filePath("gaps.png")).width(), 640);
        QVERIFY(chart->saveChart(dir.filePath("gaps.svg"), &error));
        QFile svg(dir.filePath("gaps.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly) && svg.readAll().contains("<svg"));
        QVERIFY(!chart->saveChart(dir.filePath("missing/gaps.png"), &error));
        QVERIFY(!error.isEmpty());

        m.clearReport();
        w.showReportWritten(dir.path(), {"CFXReport.txt", "CFXRawCSV.txt"});
        QVERIFY(child<QLabel>(w, "StatusLine")->text().contains(QStringLiteral("CFXRawCSV.txt")));
        QVERIFY(!child<QPushButton>(w, "OpenFolder")->isHidden());
    }

    void closeBoxHidesAndKeepsTheRecords() {
        Session m;
        ReportWindow w(m);
        QSignalSpy hidden(&w, &ReportWindow::hiddenByUser);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        snap(m, 100);
        QVERIFY(!w.close());
        QVERIFY(!w.isVisible());
        QCOMPARE(hidden.size(), 1);
        w.show();
        QCOMPARE(m.recordCount(), 1);
        QCOMPARE(child<QTableView>(w, "TimerResults")->model()->rowCount(), 1);
    }
};

QTEST_MAIN(ReportWindowTest)
#include "ReportWindowTest.moc"
