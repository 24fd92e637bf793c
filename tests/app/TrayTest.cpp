#include "app/Application.h"
#include "app/DisplayKeeper.h"
#include "gui/MainPanel.h"
#include "gui/SetTimeDialog.h"
#include "gui/StopwatchActions.h"
#include "gui/TopMaxScrollBar.h"
#include "platform/TrayIcon.h"
#include "tests/support/MenuItem.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace cfx;

class TrayTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_program;
    bool m_trayThere = true;

    MainPanel& panel() { return m_program->panel(); }
    StopwatchActions& actions() { return m_program->actions(); }
    TrayIcon& tray() { return m_program->tray(); }
    QAction* item(const char* name) { return menuItem(actions(), name); }

    // The items a menu shows, in order: captions, "-" for a separator, "(off)" after a disabled
    // item.
    static QStringList shown(QMenu* menu) {
        QStringList list;
        for (QAction* a : menu->actions()) {
            if (!a->isVisible())
                continue;
            QString text = a->isSeparator() ? QStringLiteral("-") : a->text();
            if (!a->isEnabled())
                text += QStringLiteral(" (off)");
            list << text;
        }
        return list;
    }
    QMenu* trayMenu() { return item("mnuSysTray")->menu(); }

private Q_SLOTS:
    void init() {
        m_trayThere = true;
        m_program = std::make_unique<Application>(m_dir.path());
        m_program->load();
        tray().setAvailabilityProbe([this] { return m_trayThere; });
        panel().show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel()));
    }
    void cleanup() { m_program.reset(); }

    void minimizeHidesThePanelBehindTheIconAndRestoreBringsItBack() {
        QVERIFY(panel().displayAttached());
        item("mnuSysTrayMinimize")->trigger();
        QVERIFY(m_program->tray().inTray());
        QVERIFY(!panel().isVisible());
        QVERIFY(!panel().displayAttached()); // the large display is set free
        QVERIFY(tray().icon().isVisible());
        // The tip, and under it the clock and the readings.
        QCOMPARE(tray().icon().toolTip(),
                 QStringLiteral("DoubleClick restores Chronofex panel. RightClick for menu\n"
                                "Stopped: 00:00:00   Readings: 0"));
        m_program->actions().startStop()->trigger();
        m_program->actions().snap()->trigger();
        QVERIFY(tray().icon().toolTip().endsWith("Readings: 1"));
        QVERIFY(tray().icon().toolTip().contains("\nRunning: 00:00:0"));
        m_program->actions().startStop()->trigger();
        QVERIFY(tray().icon().toolTip().contains("\nStopped: "));
        QVERIFY(!tray().icon().icon().isNull());

        Q_EMIT tray().icon().activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(!m_program->tray().inTray());
        QVERIFY(panel().isVisible());
        QVERIFY(!tray().icon().isVisible());

        // The display's Join and the menu item restore the same way.
        item("mnuSysTrayMinimize")->trigger();
        QVERIFY(!panel().isVisible());
        m_program->displays().join();
        QVERIFY(panel().isVisible());
        QVERIFY(!m_program->tray().inTray());
        item("mnuSysTrayMinimize")->trigger();
        item("mnuSysTrayRestore")->trigger();
        QVERIFY(panel().isVisible());
        QVERIFY(!tray().icon().isVisible());
    }

    void rightClickShowsOnlyRestoreAndExitThenTheFullMenuComesBack() {
        item("mnuSysTrayMinimize")->trigger();
        Q_EMIT tray().icon().activated(QSystemTrayIcon::Context);
        QMenu* menu = actions().optionsMenu();
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(shown(menu), QStringList({"S&ystem Tray", "-", "E&xit"}));
        QCOMPARE(shown(trayMenu()), QStringList({"R&estore from Tray"}));
        menu->hide();

        // Restored, the options button prepares the whole menu again.
        item("mnuSysTrayRestore")->trigger();
        panel().findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(
            shown(menu),
            QStringList({"Set &Hotkeys...", "Set Custom &Time...", "Mouse &Response",
                         "SNAP F&lash/Sound", "Re&port", "S&ystem Tray", "-", "&Cycle Rate Module",
                         "Sp&eed Module", "-", "&File", "Hand&book", "&About...", "E&xit"}));
        QCOMPARE(shown(trayMenu()), QStringList({"&Minimize to Tray", "R&estore from Tray (off)"}));
        menu->hide();
    }

    void withoutANotificationAreaThePanelIsNeverHidden() {
        m_trayThere = false;
        tray().setAvailabilityProbe([this] { return m_trayThere; });
        panel().findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QMenu* menu = actions().optionsMenu();
        QTRY_VERIFY(menu->isVisible());
        QAction* minimize = item("mnuSysTrayMinimize");
        QVERIFY(!minimize->isEnabled());
        QVERIFY(minimize->toolTip().contains(QStringLiteral("notification area")));
        QVERIFY(trayMenu()->toolTipsVisible());
        menu->hide();

        m_program->minimizeToTray(); // even when asked directly
        QVERIFY(panel().isVisible());
        QVERIFY(!m_program->tray().inTray());
        QVERIFY(!tray().icon().isVisible());

        // A notification area that appears later makes the item usable.
        m_trayThere = true;
        tray().probe();
        panel().findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(minimize->isEnabled());
        QVERIFY(minimize->toolTip().isEmpty() || !minimize->toolTip().contains("notification"));
        menu->hide();
    }

    void aTrayThatGoesAwayGivesThePanelBack() {
        item("mnuSysTrayMinimize")->trigger();
        QVERIFY(!panel().isVisible());
        m_trayThere = false;
        tray().probe();
        QVERIFY(panel().isVisible());
        QVERIFY(!m_program->tray().inTray());
    }

    void exitTakesTheIconAway() {
        item("mnuSysTrayMinimize")->trigger();
        QVERIFY(tray().icon().isVisible());
        m_program->unloadWindows();
        QVERIFY(!tray().icon().isVisible());
    }

    void setTimeDialogPresetsThePanelsClock() {
        item("mnuSetTime")->trigger();
        SetTimeDialog* form = m_program->setTimeDialog();
        QVERIFY(form && form->isVisible() && form->isModal());
        form->findChild<TopMaxScrollBar*>(QStringLiteral("VScroll3"))->setNumber(5);
        form->apply();
        QCOMPARE(m_program->clock().baseCs(), 6500); // the 00:01:00 preset plus 5 s
        QVERIFY(panel().findChild<QPushButton*>(QStringLiteral("Snap"))->isEnabled());
        QVERIFY(panel().findChild<QPushButton*>(QStringLiteral("Command3"))->isEnabled());
        QCOMPARE(m_program->display().ledValues(), (std::array<int, 8>{0, 0, 0, 1, 0, 5, 0, 0}));

        // All zero: the panel's Reset runs, Snap and Reset end up disabled.
        for (int n = 1; n <= 4; ++n)
            form->findChild<TopMaxScrollBar*>(QStringLiteral("VScroll%1").arg(n))->setNumber(0);
        form->apply();
        QCOMPARE(m_program->clock().baseCs(), 0);
        QVERIFY(!panel().findChild<QPushButton*>(QStringLiteral("Snap"))->isEnabled());
        QVERIFY(!panel().findChild<QPushButton*>(QStringLiteral("Command3"))->isEnabled());

        // Started from a hotkey while the dialog is open: Apply waits for the clock to stop.
        auto* apply = form->findChild<QPushButton*>(QStringLiteral("Command1"));
        form->findChild<TopMaxScrollBar*>(QStringLiteral("VScroll2"))->setNumber(3);
        actions().startStop()->trigger();
        QVERIFY(!apply->isEnabled());
        form->apply();
        QVERIFY(!m_program->clock().customTimePending());
        QVERIFY(m_program->clock().baseCs() < 18000);
        actions().startStop()->trigger();
        QVERIFY(apply->isEnabled());
        form->apply();
        QCOMPARE(m_program->clock().baseCs(), 18000);
        form->close();
    }
};

QTEST_MAIN(TrayTest)
#include "TrayTest.moc"
