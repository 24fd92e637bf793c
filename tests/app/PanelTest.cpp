#include "tests/support/FakeClock.h"

#include "app/Application.h"
#include "core/Session.h"
#include "gui/LargeDisplay.h"
#include "gui/MainPanel.h"
#include "gui/PanelButton.h"
#include "gui/StopwatchActions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace cfx;

class PanelTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_program;
    FakeClock* m_time = nullptr;

    MainPanel& panel() { return m_program->panel(); }
    StopwatchActions& actions() { return m_program->actions(); }
    template <typename T> T* child(const char* name) {
        T* w = panel().findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QString timeText() { return child<QLabel>("Label2")->text(); }

private Q_SLOTS:
    void init() {
        m_program = std::make_unique<Application>(m_dir.path());
        auto time = std::make_unique<FakeClock>();
        m_time = time.get();
        m_program->setTimeSource(std::move(time));
        m_program->load();
        panel().show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel()));
    }
    void cleanup() { m_program.reset(); }

    void startsUpAsDesigned() {
        QCOMPARE(panel().windowTitle(), QStringLiteral("Chronofex"));
        QCOMPARE(timeText(), QStringLiteral("00:00:00:00"));
        QCOMPARE(child<QPushButton>("Command4")->text(), QStringLiteral("Start"));
        QVERIFY(!child<QPushButton>("Snap")->isEnabled());
        QVERIFY(!child<QPushButton>("Command3")->isEnabled());
        auto* combo = child<QComboBox>("Combo1");
        QCOMPARE(combo->count(), 100);
        QCOMPARE(combo->itemText(0), QStringLiteral("1"));
        QCOMPARE(combo->itemText(99), QStringLiteral("100"));
        QCOMPARE(combo->currentText(), QStringLiteral("10"));
        QCOMPARE(panel().resolutionBoxColour(), MainPanel::kResolutionApplied);
        QVERIFY(child<QCheckBox>("Displaychk")->isChecked());
        QVERIFY(!child<QCheckBox>("Reportchk")->isChecked());
        QVERIFY(child<QRadioButton>("LCDOption")->isChecked());
        QCOMPARE(child<ClickableImage>("Image1")->iconName(), QStringLiteral("MOUSEUP"));
        QCOMPARE(child<ClickableImage>("Image2")->iconName(), QStringLiteral("DISPLAYLCD"));
        QCOMPARE(child<ClickableImage>("Image3")->iconName(), QStringLiteral("CAMERAON"));
        QVERIFY(m_program->readings().stampPending());
        QCOMPARE(m_program->clock().panelState(), PanelState::StoppedSnapped);
        for (const char* name :
             {"Label2", "Frame2", "Command4", "Snap", "Command3", "Combo1", "LabelEvents", "SubSec",
              "Frame1", "LCDOption", "LEDOption", "Image2", "Displaychk", "Label1", "Reportchk",
              "LabelShow", "Image3", "Image1", "Command1"}) {
            QWidget* w = panel().findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(w, name);
            QVERIFY2(!w->accessibleName().isEmpty(), name);
        }
        QCOMPARE(child<QPushButton>("Command4")->toolTip().section('\n', 0, 0),
                 QStringLiteral("Start/Stop Timer"));
    }

    void menuHasEveryItemInOrder() {
        QStringList names;
        for (QAction* a : actions().optionsMenu()->actions())
            names << a->objectName();
        QCOMPARE(names,
                 (QStringList{"mnuHotkeys", "mnuSetTime", "mnuMouse", "mnuFlashSound", "mnuReport",
                              "mnuSysTray", "mnuSeparator1", "mnuRate", "mnuSpeed", "mnuSeparator2",
                              "mnuFile", "mnuHelp", "mnuAbout", "mnuExit"}));
        QVERIFY(actions().flashSound()->isChecked());
        QVERIFY(actions().mouseUp()->isChecked());
        QVERIFY(!actions().mouseDown()->isChecked());
        QCOMPARE(actions().setTime()->text(), QStringLiteral("Set Custom &Time..."));
        actions().prepareFullMenu(false);
        QVERIFY(!actions().restoreFromTray()->isEnabled());
        QVERIFY(actions().minimizeToTray()->isEnabled());
    }

    void mouseUpModeActsOnRelease() {
        auto* start = child<PanelButton>("Command4");
        QTest::mousePress(start, Qt::LeftButton);
        QVERIFY(!m_program->clock().isRunning());
        QTest::mouseRelease(start, Qt::LeftButton);
        QVERIFY(m_program->clock().isRunning());
        QCOMPARE(start->text(), QStringLiteral("Stop"));
        QVERIFY(child<QPushButton>("Snap")->isEnabled());
        QVERIFY(child<QPushButton>("Command3")->isEnabled());
        QVERIFY(!actions().setTime()->isEnabled());
        QVERIFY(!actions().save()->isEnabled());
    }

    void mouseDownModeActsOnPressOnly() {
        actions().mouseDown()->trigger();
        QCOMPARE(actions().mouseResponse(), StopwatchActions::MouseResponse::OnPress);
        QCOMPARE(child<ClickableImage>("Image1")->iconName(), QStringLiteral("MOUSEDOWN"));
        auto* start = child<PanelButton>("Command4");
        QTest::mousePress(start, Qt::LeftButton);
        QVERIFY(m_program->clock().isRunning());
        QTest::mouseRelease(start, Qt::LeftButton); // the click that follows does nothing
        QVERIFY(m_program->clock().isRunning());
        // Any mouse button presses.
        QTest::mousePress(start, Qt::RightButton);
        QVERIFY(!m_program->clock().isRunning());
        QVERIFY(actions().setTime()->isEnabled());
    }

    void programmaticPressActsOnceInBothModes() {
        for (auto mode : {StopwatchActions::MouseResponse::OnRelease,
                          StopwatchActions::MouseResponse::OnPress}) {
            actions().setMouseResponse(mode);
            actions().startStop()->trigger();
            QVERIFY(m_program->clock().isRunning());
            m_time->advance(1000);
            m_program->clock().tick();
            actions().reset()->trigger();
            QVERIFY(!m_program->clock().isRunning());
            QCOMPARE(timeText(), QStringLiteral("00:00:00:00"));
            QVERIFY(!child<QPushButton>("Snap")->isEnabled());
            QVERIFY(!child<QPushButton>("Command3")->isEnabled());
            QVERIFY(actions().setTime()->isEnabled());
        }
    }

    void keyboardWorksTheStopwatch() {
        QTest::keyClick(&panel(), Qt::Key_Space);
        QVERIFY(m_program->clock().isRunning());
        m_time->advance(1230);
        m_program->clock().tick();
        QCOMPARE(timeText(), QStringLiteral("00:00:01.23"));
        QTest::keyClick(&panel(), Qt::Key_Space);
        QVERIFY(!m_program->clock().isRunning());
        QCOMPARE(m_program->clock().baseCs(), 123);
        QTest::keyClick(&panel(), Qt::Key_F5);
        QCOMPARE(timeText(), QStringLiteral("00:00:00:00"));
        QCOMPARE(m_program->clock().baseCs(), 0);
    }

    void resolutionAppliesOnlyThroughItsButton() {
        auto* combo = child<QComboBox>("Combo1");
        combo->setCurrentIndex(0);
        Q_EMIT combo->activated(0);
        QCOMPARE(panel().resolutionBoxColour(), MainPanel::kResolutionPending);
        QCOMPARE(combo->palette().color(QPalette::Base), QColor(255, 0, 0));
        QCOMPARE(m_program->clock().eventsPerSec(), 10);
        child<QToolButton>("SubSec")->click();
        QCOMPARE(m_program->clock().eventsPerSec(), 1);
        QCOMPARE(panel().resolutionBoxColour(), MainPanel::kResolutionApplied);
        QCOMPARE(combo->palette().color(QPalette::Base), QColor(251, 253, 187));
    }

    void keysWorkTheStopwatchAgainAfterATypedResolution() {
        QApplication::setActiveWindow(&panel());
        auto* combo = child<QComboBox>("Combo1");
        combo->lineEdit()->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("100"));
        QCOMPARE(panel().resolutionBoxColour(), MainPanel::kResolutionPending);
        child<QToolButton>("SubSec")->click();
        QCOMPARE(m_program->clock().eventsPerSec(), 100);
        QVERIFY(!combo->lineEdit()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(m_program->clock().isRunning());
        QCOMPARE(combo->currentText(), QStringLiteral("100"));
    }

    void ledLookFollowsTheClock() {
        LargeDisplay& display = m_program->largeDisplay();
        child<QRadioButton>("LEDOption")->click();
        QCOMPARE(child<ClickableImage>("Image2")->iconName(), QStringLiteral("DISPLAYLED"));
        QCOMPARE(display.litColour(), DisplaySink::kRed);
        actions().startStop()->trigger();
        QCOMPARE(display.litColour(), DisplaySink::kGreen);
        child<QRadioButton>("LCDOption")->click();
        QCOMPARE(display.litColour(), DisplaySink::kBlack);
        QCOMPARE(display.frameColour(), DisplaySink::kLightGrey);
        child<QRadioButton>("LEDOption")->click(); // switching while running gives green
        QCOMPARE(display.litColour(), DisplaySink::kGreen);
    }

    void imagesToggleTheirSwitches() {
        auto* image3 = child<ClickableImage>("Image3");
        QTest::mouseClick(image3, Qt::LeftButton);
        QVERIFY(!actions().flashSound()->isChecked());
        QCOMPARE(image3->iconName(), QStringLiteral("CAMERAOFF"));
        actions().flashSound()->trigger();
        QVERIFY(actions().flashSound()->isChecked());
        QCOMPARE(image3->iconName(), QStringLiteral("CAMERAON"));
        QTest::mouseClick(child<ClickableImage>("Image1"), Qt::LeftButton);
        QCOMPARE(actions().mouseResponse(), StopwatchActions::MouseResponse::OnPress);
    }

    void minimisingFreesTheDisplay() {
        panel().showMinimized();
        QTRY_VERIFY(!child<QCheckBox>("Displaychk")->isChecked());
    }

    void closingWhileRunningStopsTheClockFirst() {
        actions().startStop()->trigger();
        m_time->advance(500);
        m_program->clock().tick();
        panel().close();
        QVERIFY(!m_program->clock().isRunning());
        QCOMPARE(m_program->clock().baseCs(), 0);
    }
};

QTEST_MAIN(PanelTest)
#include "PanelTest.moc"
