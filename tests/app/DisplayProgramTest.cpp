#include "tests/support/ProgramOnFakeClock.h"

#include "app/Application.h"
#include "app/DisplayKeeper.h"
#include "gui/LargeDisplay.h"
#include "gui/MainPanel.h"
#include "gui/SevenSegmentDigit.h"
#include "gui/StopwatchActions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace cfx;

// The large display inside the running program: driven by the clock and the panel.
class DisplayProgramTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_program;
    FakeClock* m_time = nullptr;

    MainPanel& panel() { return m_program->panel(); }
    StopwatchActions& actions() { return m_program->actions(); }
    LargeDisplay& display() { return m_program->displays().display(); }
    template <typename T> T* child(const char* name) { return namedChild<T>(panel(), name); }
    void applyResolution(int eventsPerSec) {
        auto* combo = child<QComboBox>("Combo1");
        combo->setCurrentIndex(eventsPerSec - 1);
        Q_EMIT combo->activated(eventsPerSec - 1);
        child<QToolButton>("SubSec")->click();
    }
    bool flush() {
        const QRect f = panel().frameGeometry();
        return display().pos() == QPoint(f.x() + f.width(), f.y());
    }

private Q_SLOTS:
    void init() {
        m_program = loadProgramOnFakeClock(m_dir.path(), m_time);
        panel().show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel()));
    }
    void cleanup() { m_program.reset(); }

    void startsIdleAttachedAndInTheLcdLook() {
        QVERIFY(display().isVisible());
        QVERIFY(display().attached());
        QTRY_VERIFY(flush());
        for (int i = 0; i < 8; ++i)
            QVERIFY(display().led(i)->ledIdle());
        QCOMPARE(display().frameColour(), DisplaySink::kLightGrey);
        QCOMPARE(display().litColour(), DisplaySink::kBlack);
        // No compositor offscreen: the transparency item stays hidden and no dialog is loaded.
        display().prepareOptionsMenu();
        QVERIFY(!m_program->displays().transparencyDialog());
        QVERIFY(!display().findChild<QAction*>(QStringLiteral("mnuTransparent"))->isVisible());
    }

    void digitsFollowTheClockAndTheResolution() {
        actions().startStop()->trigger();
        QVERIFY(!display().led(0)->ledIdle());
        runFor(*m_program, *m_time, ((12 * 60 + 34) * 60 + 56) * 1000LL + 780);
        QCOMPARE(display().ledValues(), (std::array<int, 8>{1, 2, 3, 4, 5, 6, 0, 7}));
        runFor(*m_program, *m_time, 10); // 56.79 s: still the seventh tenth
        QCOMPARE(display().ledValues()[7], 7);

        applyResolution(100);
        QCOMPARE(display().ledValues()[6], 7);
        QCOMPARE(display().ledValues()[7], 9);
        QCOMPARE(display().width(), LargeDisplay::kWindowWidth);

        applyResolution(1);
        QCOMPARE(display().ledValues()[6], 0);
        QCOMPARE(display().ledValues()[7], 0);
        QCOMPARE(display().width(), LargeDisplay::kWindowWidthOne);
        QVERIFY(!display().mask().contains(QPoint(display().width() - 1, 0)));
        QTRY_VERIFY(flush());

        applyResolution(10);
        QCOMPARE(display().width(), LargeDisplay::kWindowWidth);
        QVERIFY(display().mask().contains(QPoint(display().width() - 1, display().height() / 2)));
    }

    void ledLookIsGreenWhileRunningRedOtherwise() {
        child<QRadioButton>("LEDOption")->click();
        QCOMPARE(display().frameColour(), DisplaySink::kBlack);
        QCOMPARE(display().litColour(), DisplaySink::kRed);
        actions().startStop()->trigger();
        QCOMPARE(display().litColour(), DisplaySink::kGreen);
        QCOMPARE(display().led(3)->ledColorOn(), DisplaySink::kGreen);
        actions().startStop()->trigger();
        QCOMPARE(display().litColour(), DisplaySink::kRed);
        actions().startStop()->trigger();
        actions().reset()->trigger();
        QCOMPARE(display().litColour(), DisplaySink::kRed);
        QCOMPARE(display().ledValues(), (std::array<int, 8>{}));
        child<QRadioButton>("LCDOption")->click();
        QCOMPARE(display().frameColour(), DisplaySink::kLightGrey);
        QCOMPARE(display().litColour(), DisplaySink::kBlack);
    }

    void flashIsRestoredShortlyWithoutBlocking() {
        child<QRadioButton>("LEDOption")->click();
        actions().startStop()->trigger();
        m_program->display().setBackground(DisplaySink::kWhite);
        QElapsedTimer t;
        t.start();
        m_program->displays().endFlash();
        QVERIFY(t.elapsed() < 50);
        // Still white when endFlash returns: the window went on at once.
        QCOMPARE(display().frameColour(), DisplaySink::kWhite);
        QCOMPARE(display().litColour(), DisplaySink::kGreen);
        QTRY_COMPARE_WITH_TIMEOUT(display().frameColour(), DisplaySink::kBlack, 1000);
        QVERIFY(t.elapsed() >= 90);
        QCOMPARE(display().led(0)->ledColorOff(), DisplaySink::kBlack);
        QCOMPARE(display().litColour(), DisplaySink::kGreen);

        // The restore takes the look of the moment it runs.
        m_program->display().setBackground(DisplaySink::kWhite);
        m_program->displays().endFlash();
        child<QRadioButton>("LCDOption")->click();
        m_program->display().setBackground(DisplaySink::kWhite); // the look switch repainted it
        QTRY_COMPARE_WITH_TIMEOUT(display().frameColour(), DisplaySink::kLightGrey, 1000);
    }

    void snapFlashesWhiteAndComesBackQuietly() {
        // No audio output here: the chime stays silent and says nothing.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("audio|sound"),
                                                QRegularExpression::CaseInsensitiveOption));
        child<QRadioButton>("LEDOption")->click();
        actions().startStop()->trigger();
        runFor(*m_program, *m_time, 1500);
        actions().snap()->trigger();
        QCOMPARE(display().frameColour(), DisplaySink::kWhite);
        QCOMPARE(display().litColour(), DisplaySink::kGreen);
        QTRY_COMPARE_WITH_TIMEOUT(display().frameColour(), DisplaySink::kBlack, 1000);

        // With the flash and sound switched off a snap leaves the display alone.
        actions().flashSound()->trigger();
        QVERIFY(!actions().flashSound()->isChecked());
        runFor(*m_program, *m_time, 500);
        actions().snap()->trigger();
        QCOMPARE(display().frameColour(), DisplaySink::kBlack);
    }

    void minimisingFreesAndJoinRestoresAndAttaches() {
        auto* displaychk = child<QCheckBox>("Displaychk");
        panel().showMinimized();
        QTRY_VERIFY(!displaychk->isChecked());
        QVERIFY(!display().attached());
        QVERIFY(display().isVisible());
        display().prepareOptionsMenu();
        auto* join = display().findChild<QAction*>(QStringLiteral("mnuJoin"));
        QVERIFY(join->isEnabled());

        join->trigger();
        QVERIFY(!panel().isMinimized());
        QVERIFY(displaychk->isChecked());
        QVERIFY(display().attached());
        display().prepareOptionsMenu();
        QVERIFY(!join->isEnabled());

        // Attached, it follows the panel; the panel's check box frees it.
        panel().move(300, 200);
        QTRY_VERIFY(flush());
        displaychk->setChecked(false);
        const QPoint kept = display().pos();
        panel().move(50, 60);
        QTest::qWait(20);
        QCOMPARE(display().pos(), kept);
        displaychk->setChecked(true);
        QVERIFY(flush());
    }
};

QTEST_MAIN(DisplayProgramTest)
#include "DisplayProgramTest.moc"
