#include "tests/support/ProgramOnFakeClock.h"

#include "app/Application.h"
#include "core/RecordTable.h"
#include "gui/MainPanel.h"
#include "gui/MeasureWindow.h"
#include "gui/RateWindow.h"
#include "gui/SpeedWindow.h"
#include "gui/StopwatchActions.h"
#include "tests/support/MenuItem.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace cfx;

// The rate and speed windows inside the running program: shown and hidden from the panel's
// menu, and timed by the main stopwatch.
class MeasureProgramTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_program;
    FakeClock* m_time = nullptr;

    QAction* menu(const char* name) { return menuItem(m_program->actions(), name); }
    void runFor(qint64 ms) { cfx::runFor(*m_program, *m_time, ms); }
    static QString local(const char* text) {
        return QString::fromLatin1(text).replace(QLatin1Char('.'),
                                                 QLocale::system().decimalPoint());
    }

private Q_SLOTS:
    void init() {
        m_program = loadProgramOnFakeClock(m_dir.path(), m_time);
        m_program->panel().show();
    }
    void cleanup() { m_program.reset(); }

    void menuShowsAndHidesAndCloseUnchecks() {
        RateWindow& rate = m_program->rateWindow();
        SpeedWindow& speed = m_program->speedWindow();
        QVERIFY(rate.isHidden());
        QVERIFY(speed.isHidden());
        QVERIFY(!menu("mnuRate")->isChecked());

        menu("mnuRate")->trigger();
        QVERIFY(menu("mnuRate")->isChecked());
        QVERIFY(rate.isVisible());
        menu("mnuRate")->trigger();
        QVERIFY(rate.isHidden());

        menu("mnuSpeed")->trigger();
        QVERIFY(speed.isVisible());
        speed.close();
        QVERIFY(speed.isHidden());
        QVERIFY(!menu("mnuSpeed")->isChecked());
        menu("mnuRate")->trigger();
        rate.close();
        QVERIFY(!menu("mnuRate")->isChecked());
    }

    void marksReadTheMainStopwatch() {
        RateWindow& rate = m_program->rateWindow();
        SpeedWindow& speed = m_program->speedWindow();
        menu("mnuRate")->trigger();
        menu("mnuSpeed")->trigger();
        auto* rateStart = rate.findChild<MeasureButton*>(QStringLiteral("Command7"));
        auto* speedStart = speed.findChild<MeasureButton*>(QStringLiteral("Command1"));
        QTest::keyClicks(speed.findChild<QLineEdit*>(QStringLiteral("Text2")),
                         QStringLiteral("100"));

        // Before the stopwatch runs, a press only says so.
        QTest::mouseClick(rateStart, Qt::LeftButton);
        QCOMPARE(rate.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Stopped"));

        m_program->actions().startStop()->trigger();
        QVERIFY(m_program->clock().isRunning());
        runFor(2000);
        QTest::mouseClick(rateStart, Qt::LeftButton);
        QTest::mouseClick(speedStart, Qt::LeftButton);
        runFor(1500);
        QTest::mouseClick(rateStart, Qt::LeftButton);
        QCOMPARE(rate.findChild<QLabel*>(QStringLiteral("Label1"))->text(), local("1.50"));
        QCOMPARE(rate.findChild<QLabel*>(QStringLiteral("Label2"))->text(), local("40.00"));
        runFor(8500);
        QTest::mouseClick(speedStart, Qt::LeftButton);
        QCOMPARE(speed.findChild<QLabel*>(QStringLiteral("Label1"))->text(), local("36.0"));

        // Closing and reopening from the menu keeps the result and the records.
        rate.addRecord(QStringLiteral("kept"));
        rate.close();
        menu("mnuRate")->trigger();
        QVERIFY(rate.isVisible());
        QCOMPARE(rate.records().count(), 1);
        QCOMPARE(rate.findChild<QLabel*>(QStringLiteral("Label1"))->text(), local("1.50"));

        // Stopping the stopwatch in the middle of a run abandons it.
        QTest::mouseClick(speedStart, Qt::LeftButton);
        m_program->actions().startStop()->trigger();
        QVERIFY(!m_program->clock().isRunning());
        QTest::mouseClick(speedStart, Qt::LeftButton);
        QCOMPARE(speed.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Stopped"));
        QCOMPARE(speedStart->text(), QStringLiteral("Start"));
    }
};

QTEST_MAIN(MeasureProgramTest)
#include "MeasureProgramTest.moc"
