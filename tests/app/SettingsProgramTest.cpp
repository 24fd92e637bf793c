#include "tests/support/ChangedSettings.h"

#include "app/Application.h"
#include "app/DisplayKeeper.h"
#include "app/SettingsKeeper.h"
#include "gui/LargeDisplay.h"
#include "gui/MainPanel.h"
#include "gui/RateWindow.h"
#include "gui/ReportWindow.h"
#include "gui/SpeedWindow.h"
#include "gui/StopwatchActions.h"
#include "gui/TransparencyDialog.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace cfx;

// The settings remembered between runs, as the running program puts them in place and writes
// them back.
class SettingsProgramTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_program;

    QString settingsPath() const { return m_dir.filePath(QStringLiteral("config/chronofex.conf")); }
    StartSettings saved() const { return SettingsStore(settingsPath()).read(); }
    void start(bool withDefaults = false) {
        m_program = std::make_unique<Application>(m_dir.path());
        m_program->rememberSettings(SettingsStore(settingsPath()), withDefaults);
        m_program->setSessionMessage(
            [](const QString&, const QString& text) { QFAIL(qPrintable(text)); });
        m_program->load();
        m_program->panel().show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_program->panel()));
    }
    static bool onScreen(const QWidget& window) {
        return QGuiApplication::primaryScreen()->availableGeometry().contains(
            window.frameGeometry());
    }

private Q_SLOTS:
    void cleanup() {
        m_program.reset();
        QFile::remove(settingsPath());
    }

    void aStartPutsEveryRememberedSettingInPlace() {
        StartSettings s = everySettingChanged();
        // Places on a screen that is no longer there.
        s.displayPosition = QPoint(5000, 5000);
        s.ratePosition = QPoint(-3000, 100);
        QVERIFY(SettingsStore(settingsPath()).write(s));
        start();

        QCOMPARE(m_program->clock().look(), DisplayLook::Led);
        QCOMPARE(m_program->clock().eventsPerSec(), 25);
        QCOMPARE(m_program->panel().findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText(),
                 QStringLiteral("25"));
        QVERIFY(!m_program->actions().flashSound()->isChecked());
        QCOMPARE(m_program->actions().mouseResponse(), StopwatchActions::MouseResponse::OnPress);
        QVERIFY(m_program->report().isVisible());
        QVERIFY(!m_program->panel().displayAttached());
        QVERIFY(!m_program->displays().display().attached());
        QVERIFY(m_program->displays().display().onTop());
        QVERIFY(m_program->rateWindow().stayOnTopAction()->isChecked());
        QVERIFY(m_program->speedWindow().stayOnTopAction()->isChecked());
        QVERIFY(m_program->displays().transparencyDialog());
        QCOMPARE(m_program->displays().transparencyDialog()->value(), 120);
        QCOMPARE(m_program->panel().pos(), QPoint(40, 30));
        QVERIFY(onScreen(m_program->displays().display()));
        QVERIFY(onScreen(m_program->rateWindow()));
        // Nothing was changed by putting it in place.
        QCOMPARE(m_program->settingsKeeper()->settings(), s);
    }

    void changesAreWrittenAsTheyHappen() {
        start();
        QCOMPARE(saved(), StartSettings());
        MainPanel& panel = m_program->panel();
        StopwatchActions& actions = m_program->actions();
        panel.findChild<QRadioButton*>(QStringLiteral("LEDOption"))->click();
        QVERIFY(saved().ledLook);
        m_program->clock().setResolution(QStringLiteral("100"));
        QCOMPARE(saved().resolution, QStringLiteral("100"));
        actions.flashSound()->trigger();
        QVERIFY(!saved().flashSound);
        actions.mouseDown()->trigger();
        QVERIFY(saved().actOnPress);
        actions.report()->trigger();
        QVERIFY(saved().reportShown);
        m_program->displays().display().setOnTop(true);
        QVERIFY(saved().displayOnTop);
        m_program->speedWindow().stayOnTopAction()->trigger();
        QVERIFY(saved().speedOnTop);
        m_program->displays().setOpacity(90);
        QCOMPARE(saved().displayOpacity, 90);
        // Freed, the display is remembered where it stands, and then where it is dragged.
        panel.setDisplayAttached(false);
        QVERIFY(!saved().displayAttached);
        QCOMPARE(saved().displayPosition, m_program->displays().display().pos());
        m_program->displays().display().move(300, 200);
        panel.move(20, 10);
        QTRY_COMPARE(saved().displayPosition, std::optional<QPoint>(QPoint(300, 200)));
        QTRY_COMPARE(saved().panelPosition, std::optional<QPoint>(QPoint(20, 10)));

        // The exit closes the report: it is still remembered as shown.
        m_program->exit();
        QVERIFY(!m_program->report().isVisible());
        QVERIFY(saved().reportShown);
        QVERIFY(saved().ledLook);
    }

    void startingWithDefaultsForgetsTheRememberedSettings() {
        StartSettings s;
        s.ledLook = true;
        s.reportShown = true;
        s.panelPosition = QPoint(40, 30);
        QVERIFY(SettingsStore(settingsPath()).write(s));
        start(true);
        QCOMPARE(m_program->clock().look(), DisplayLook::Lcd);
        QVERIFY(!m_program->report().isVisible());
        QCOMPARE(m_program->panel().pos(), QPoint(1000 / 15, 2000 / 15));
        QCOMPARE(saved(), StartSettings());
    }

    // A settings file that cannot be written is said once, and the program goes on.
    void anUnwritableSettingsFileIsSaidOnce() {
        QFile blocker(m_dir.filePath(QStringLiteral("blocked")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder would be
        blocker.close();
        m_program = std::make_unique<Application>(m_dir.path());
        m_program->rememberSettings(SettingsStore(blocker.fileName() + "/chronofex.conf"), true);
        QStringList told;
        m_program->setSessionMessage(
            [&told](const QString&, const QString& text) { told << text; });
        m_program->load();
        m_program->actions().flashSound()->trigger();
        m_program->actions().flashSound()->trigger();
        QCOMPARE(told.size(), 1);
        QVERIFY(told.first().startsWith("Settings cannot be saved to"));
        m_program->actions().startStop()->trigger();
        QVERIFY(m_program->clock().isRunning());
    }
};

QTEST_MAIN(SettingsProgramTest)
#include "SettingsProgramTest.moc"
