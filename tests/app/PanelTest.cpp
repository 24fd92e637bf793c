#include "tests/support/ProgramOnFakeClock.h"

#include "app/Application.h"
#include "app/DisplayKeeper.h"
#include "core/Session.h"
#include "gui/LargeDisplay.h"
#include "gui/MainPanel.h"
#include "gui/PanelButton.h"
#include "gui/SessionFileDialog.h"
#include "gui/SevenSegmentDigit.h"
#include "gui/StopwatchActions.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSignalSpy>
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
    template <typename T> T* child(const char* name) { return namedChild<T>(panel(), name); }
    QString timeText() { return child<QLabel>("Label2")->text(); }
    // A key as the user types it: to the control that has the focus.
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void focus(QWidget* w) {
        QApplication::setActiveWindow(&panel());
        w->setFocus(Qt::TabFocusReason);
        QVERIFY(w->hasFocus());
    }
    void tick(int ms) { runFor(*m_program, *m_time, ms); }
    // What the program last told screen readers: the notification of the window it chose.
    QString announced() {
        QWidget* window = QApplication::activeWindow() ? QApplication::activeWindow() : &panel();
        auto* notice =
            window->findChild<QWidget*>(QStringLiteral("Announcement"), Qt::FindDirectChildrenOnly);
        if (!notice || !notice->isVisible())
            return QString();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(notice);
        if (iface->role() != QAccessible::Notification)
            return QStringLiteral("(not a notification)");
        return iface->text(QAccessible::Name);
    }
    QString accessibleName(QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    }

private Q_SLOTS:
    void init() {
        m_program = loadProgramOnFakeClock(m_dir.path(), m_time);
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
            runFor(*m_program, *m_time, 1000);
            actions().reset()->trigger();
            QVERIFY(!m_program->clock().isRunning());
            QCOMPARE(timeText(), QStringLiteral("00:00:00:00"));
            QVERIFY(!child<QPushButton>("Snap")->isEnabled());
            QVERIFY(!child<QPushButton>("Command3")->isEnabled());
            QVERIFY(actions().setTime()->isEnabled());
        }
    }

    void keyboardWorksTheStopwatch() {
        QApplication::setActiveWindow(&panel());
        type(Qt::Key_Space);
        QVERIFY(m_program->clock().isRunning());
        runFor(*m_program, *m_time, 1230);
        QCOMPARE(timeText(), QStringLiteral("00:00:01.23"));
        type(Qt::Key_Space);
        QVERIFY(!m_program->clock().isRunning());
        QCOMPARE(m_program->clock().baseCs(), 123);
        type(Qt::Key_F5);
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
        // The box, having lost the focus, does not take the applied entry for a new choice.
        QCOMPARE(panel().resolutionBoxColour(), MainPanel::kResolutionApplied);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(m_program->clock().isRunning());
        QCOMPARE(combo->currentText(), QStringLiteral("100"));
    }

    // Space, Return and F5 work the stopwatch unless the focused control uses the key, in either
    // mouse response.
    void focusedControlsKeepTheirKeys() {
        auto* combo = child<QComboBox>("Combo1");
        auto* reset = child<PanelButton>("Command3");
        for (auto mode : {StopwatchActions::MouseResponse::OnRelease,
                          StopwatchActions::MouseResponse::OnPress}) {
            actions().setMouseResponse(mode);
            const int readings = m_program->readings().recordCount();
            actions().startStop()->trigger();
            tick(1500);
            // Typed into the running clock's resolution box, Return applies and takes no reading.
            focus(combo);
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo->lineEdit(), QStringLiteral("20"));
            type(Qt::Key_Return);
            QCOMPARE(m_program->clock().eventsPerSec(), 20);
            QCOMPARE(panel().resolutionBoxColour(), MainPanel::kResolutionApplied);
            QCOMPARE(m_program->readings().recordCount(), readings);
            QVERIFY(m_program->clock().isRunning());
            // Space on the focused Reset button resets; it does not stop the clock.
            focus(reset);
            type(Qt::Key_Space);
            QVERIFY(!m_program->clock().isRunning());
            QCOMPARE(timeText(), QStringLiteral("00:00:00:00"));
            // Space on the Report check box shows the report and leaves the clock alone.
            auto* report = child<QCheckBox>("Reportchk");
            focus(report);
            type(Qt::Key_Space);
            QVERIFY(report->isChecked());
            QVERIFY(!m_program->clock().isRunning());
            report->setChecked(false);
            // Space on an option button chooses it.
            focus(child<QRadioButton>("LEDOption"));
            type(Qt::Key_Space);
            QVERIFY(child<QRadioButton>("LEDOption")->isChecked());
            QVERIFY(!m_program->clock().isRunning());
            child<QRadioButton>("LCDOption")->setChecked(true);
            // Keys the focused control has no use for still work the stopwatch.
            actions().startStop()->trigger();
            tick(700);
            auto* attach = child<QCheckBox>("Displaychk");
            focus(attach);
            type(Qt::Key_Return);
            QVERIFY(m_program->readings().recordCount() > readings);
            QVERIFY(attach->isChecked());
            focus(combo);
            type(Qt::Key_F5);
            QVERIFY(!m_program->clock().isRunning());
            QCOMPARE(timeText(), QStringLiteral("00:00:00:00"));
        }
    }

    // Tab leaves a typed resolution pending and goes on to the apply button; the options button
    // does not steal the focus.
    void tabFromATypedResolutionReachesItsApplyButton() {
        auto* combo = child<QComboBox>("Combo1");
        focus(combo);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("25"));
        type(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child<QToolButton>("SubSec"));
        QCOMPARE(panel().resolutionBoxColour(), MainPanel::kResolutionPending);
        type(Qt::Key_Space);
        QCOMPARE(m_program->clock().eventsPerSec(), 25);
        QCOMPARE(panel().resolutionBoxColour(), MainPanel::kResolutionApplied);
    }

    void optionsMenuOpensFromTheKeyboard() {
        QMenu* menu = actions().optionsMenu();
        auto opensWith = [&](QWidget* focused, Qt::Key key, Qt::KeyboardModifiers modifiers) {
            focus(focused);
            type(key, modifiers);
            const bool open = menu->isVisible();
            // Opened from the keyboard, the first item is ready for the arrow keys and Return.
            const bool firstActive = menu->activeAction() == actions().hotkeys();
            menu->hide();
            return open && firstActive;
        };
        QWidget* options = child<QPushButton>("Command1");
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Down})
            QVERIFY2(opensWith(options, key, Qt::NoModifier),
                     qPrintable(QKeySequence(key).toString()));
        QVERIFY(!m_program->clock().isRunning());
        // Put there by the program after a stopwatch button, the options button leaves Return
        // alone, also while its command is disabled (no Snap once reset).
        focus(child<QCheckBox>("Reportchk"));
        QTest::mouseClick(child<PanelButton>("Command4"), Qt::LeftButton);
        QTest::mouseClick(child<PanelButton>("Command3"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), options);
        type(Qt::Key_Return);
        QVERIFY(!menu->isVisible());
        for (QWidget* anywhere : {static_cast<QWidget*>(child<QCheckBox>("Reportchk")),
                                  static_cast<QWidget*>(child<QComboBox>("Combo1"))}) {
            QVERIFY(opensWith(anywhere, Qt::Key_F10, Qt::NoModifier));
            QVERIFY(opensWith(anywhere, Qt::Key_F10, Qt::ShiftModifier));
            QVERIFY(opensWith(anywhere, Qt::Key_Menu, Qt::NoModifier));
            QVERIFY(opensWith(anywhere, Qt::Key_O, Qt::AltModifier));
        }
    }

    void fileKeysOpenAndExit() {
        // The menu shows the keys beside its items.
        for (QAction* a : {actions().open(), actions().save(), actions().exit()})
            QVERIFY2(!a->shortcut().isEmpty() && a->isShortcutVisibleInContextMenu(),
                     qPrintable(a->objectName()));
        focus(child<QCheckBox>("Reportchk"));
        type(Qt::Key_O, Qt::ControlModifier);
        bool dialogShown = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            dialogShown |= qobject_cast<OpenFileDialog*>(w) && w->isVisible();
        QVERIFY(dialogShown);
        focus(child<QCheckBox>("Reportchk"));
        QSignalSpy exiting(actions().exit(), &QAction::triggered);
        type(Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(exiting.count(), 1);
    }

    // In the mouse-down response a press that disables its own button (Reset, or Snap after a
    // snap of a standing clock) must not leave it drawn pressed for when it is enabled again.
    void aButtonDisabledByItsPressIsNotLeftDown() {
        actions().mouseDown()->trigger();
        auto* reset = child<PanelButton>("Command3");
        auto* snap = child<PanelButton>("Snap");
        actions().startStop()->trigger();
        tick(500);
        actions().startStop()->trigger();
        QTest::mousePress(snap, Qt::LeftButton);
        QCOMPARE(m_program->readings().recordCount(), 1);
        QVERIFY(!snap->isEnabled());
        QTest::mouseRelease(snap, Qt::LeftButton);
        QTest::mousePress(reset, Qt::LeftButton);
        QVERIFY(!reset->isEnabled());
        QTest::mouseRelease(reset, Qt::LeftButton);
        actions().startStop()->trigger();
        QVERIFY(reset->isEnabled() && snap->isEnabled());
        QVERIFY(!reset->isDown());
        QVERIFY(!snap->isDown());
    }

    // The running time reaches screen readers once a second, the standing time at once, from the
    // panel and from the large display alike; its digits read as their values.
    void screenReadersReadTheTime() {
        QWidget* face =
            m_program->displays().display().findChild<QWidget*>(QStringLiteral("Picture1"));
        QWidget* label = child<QLabel>("Label2");
        QCOMPARE(accessibleName(label), QStringLiteral("Time 00:00:00:00"));
        QCOMPARE(accessibleName(face), QStringLiteral("Time --:--:--.--"));
        // The display shows the sub-seconds at the resolution (10 a second: "01.02" is 1.2 s).
        actions().startStop()->trigger();
        tick(1230);
        QCOMPARE(accessibleName(label), QStringLiteral("Time 00:00:01.23"));
        QCOMPARE(accessibleName(face), QStringLiteral("Time 00:00:01.02"));
        tick(300); // within the same second: not told again
        QCOMPARE(timeText(), QStringLiteral("00:00:01.53"));
        QCOMPARE(accessibleName(label), QStringLiteral("Time 00:00:01.23"));
        QCOMPARE(accessibleName(face), QStringLiteral("Time 00:00:01.02"));
        tick(600);
        QCOMPARE(accessibleName(label), QStringLiteral("Time 00:00:02.13"));
        QCOMPARE(accessibleName(face), QStringLiteral("Time 00:00:02.01"));
        QCOMPARE(announced(), QStringLiteral("Started"));
        tick(100);
        actions().startStop()->trigger(); // stopped: the time it stopped at, at once
        QCOMPARE(announced(), QStringLiteral("Stopped, 00:00:02.23"));
        actions().snap()->trigger();
        QCOMPARE(announced(), QStringLiteral("Snap 1, 00:00:02.02"));
        // The two pictures are check boxes, checked as their settings stand.
        for (const char* name : {"Image3", "Image1"}) {
            QAccessibleInterface* toggle =
                QAccessible::queryAccessibleInterface(child<QWidget>(name));
            QCOMPARE(toggle->role(), QAccessible::CheckBox);
            QVERIFY(toggle->state().checkable);
        }
        QAccessibleInterface* flash =
            QAccessible::queryAccessibleInterface(child<QWidget>("Image3"));
        const bool on = actions().flashSound()->isChecked();
        QCOMPARE(bool(flash->state().checked), on);
        actions().flashSound()->toggle();
        QCOMPARE(bool(flash->state().checked), !on);
        QCOMPARE(accessibleName(label), QStringLiteral("Time 00:00:02.23"));
        QCOMPARE(accessibleName(face), QStringLiteral("Time 00:00:02.02"));
        QAccessibleInterface* units =
            QAccessible::queryAccessibleInterface(m_program->displays().display().led(5));
        QVERIFY(units->valueInterface());
        QCOMPARE(units->valueInterface()->currentValue().toInt(), 2);
        // Read by its name, which carries the digit.
        QCOMPARE(units->text(QAccessible::Name), QStringLiteral("Seconds, units: 2"));
        // The windows are frames to a screen reader, named by their titles.
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&panel());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Chronofex"));
    }

    void ledLookFollowsTheClock() {
        LargeDisplay& display = m_program->displays().display();
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
        runFor(*m_program, *m_time, 500);
        panel().close();
        QVERIFY(!m_program->clock().isRunning());
        QCOMPARE(m_program->clock().baseCs(), 0);
    }
};

QTEST_MAIN(PanelTest)
#include "PanelTest.moc"
