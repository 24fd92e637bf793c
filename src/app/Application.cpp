#include "app/Application.h"

#include "app/DisplayKeeper.h"
#include "app/HotkeyKeeper.h"
#include "app/RecordReportActions.h"
#include "app/SessionKeeper.h"
#include "app/SettingsKeeper.h"
#include "app/TrayStatus.h"
#include "core/Session.h"
#include "core/Snapshot.h"
#include "core/io/TextReport.h"
#include "core/io/WordReports.h"
#include "gui/Accessibility.h"
#include "gui/Announcer.h"
#include "gui/HelpWindow.h"
#include "gui/LargeDisplay.h"
#include "gui/MainPanel.h"
#include "gui/RateWindow.h"
#include "gui/ReportWindow.h"
#include "gui/SetTimeDialog.h"
#include "gui/SpeedWindow.h"
#include "gui/SplashWindow.h"
#include "gui/StopwatchActions.h"
#include "gui/Translation.h"
#include "gui/WindowFit.h"
#include "platform/DocumentOpener.h"
#include "platform/RemoteControl.h"
#include "platform/TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

namespace cfx {

Application::Application(QString dataDir, QObject* parent)
    : QObject(parent), m_dataDir(std::move(dataDir)),
      m_timeSource(std::make_unique<SteadyClock>()) {
    m_clock = std::make_unique<Stopwatch>(*m_timeSource);
}

Application::~Application() {
    m_help.reset();
    m_about.reset();
    m_trayStatus.reset();
    m_tray.reset();
    // The panel refers to the clock; it goes first.
    m_panel.reset();
}

void Application::rememberSettings(SettingsStore store, bool startWithDefaults) {
    m_settingsFile = std::move(store);
    m_startWithDefaults = startWithDefaults;
}

void Application::setTimeSource(std::unique_ptr<MonotonicClock> source) {
    m_timeSource = std::move(source);
    m_clock = std::make_unique<Stopwatch>(*m_timeSource);
}

void Application::load() {
    installAccessibleRoles();
    m_readings = std::make_unique<Session>();
    m_report = std::make_unique<ReportWindow>(*m_readings);
    m_report->setEventsPerSec(m_clock->eventsPerSec());
    connect(m_report.get(), &ReportWindow::hiddenByUser, this,
            [this] { m_actions->report()->setChecked(false); });
    // The large display exists before the panel, whose start-up gives it its look.
    m_displays = std::make_unique<DisplayKeeper>(*m_clock);
    connect(m_report.get(), &ReportWindow::wordReportRequested, this, &Application::makeWordReport);
    connect(m_report.get(), &ReportWindow::openFolderRequested, this,
            [this](const QString& folder) {
                cfx::openFolderFor(m_report.get(), documentOpener(), folder);
            });
    m_actions = std::make_unique<StopwatchActions>();
    m_actions->followStopwatch(*m_clock);
    m_actions->followSession(*m_readings);
    m_panel = std::make_unique<MainPanel>(*m_clock, *m_actions);
    fitOnScreen(m_panel.get());
    m_tray = std::make_unique<TrayIcon>(*m_panel);
    m_trayStatus = std::make_unique<TrayStatus>(*m_clock, *m_readings, *m_tray);
    wireActions();
    m_displays->setAttached(m_panel->displayAttached());
    loadMeasureWindows();
    m_displays->placeBeside(*m_panel, *m_tray);
    if (m_settingsFile) {
        m_settings = std::make_unique<SettingsKeeper>(
            SettingsKeeper::Parts{*m_clock, *m_actions, *m_panel, m_displays->display(), *m_report,
                                  *m_rateWindow, *m_speedWindow},
            *m_settingsFile);
        connect(m_settings.get(), &SettingsKeeper::opacityWanted, m_displays.get(),
                &DisplayKeeper::setOpacity);
        connect(m_displays.get(), &DisplayKeeper::opacityApplied, m_settings.get(),
                &SettingsKeeper::opacityApplied);
        connect(m_settings.get(), &SettingsKeeper::writeFailed, this,
                [this](const QString& text) { tell(QMessageBox::Warning, tr("Chronofex"), text); });
        m_settings->apply(m_startWithDefaults ? StartSettings() : m_settingsFile->read());
        if (m_startWithDefaults)
            m_settings->save();
    }
    m_hotkeys = std::make_unique<HotkeyKeeper>(m_dataDir, m_hotkeyBackend);
    connect(m_hotkeys.get(), &HotkeyKeeper::commandWanted, this, &Application::runCommand);
    m_hotkeys->startUp(*m_panel);
    m_help = std::make_unique<HelpWindow>(interfaceLanguage(QLocale::system().uiLanguages()));
    m_help->watchHelpKey();
    connect(m_actions->help(), &QAction::triggered, this,
            [this] { m_help->showPage(QStringLiteral("index")); });

    m_sessions = std::make_unique<SessionKeeper>(m_dataDir, *m_clock, *m_readings, *m_actions,
                                                 *m_report, *m_panel);
    connect(m_sessions.get(), &SessionKeeper::userToldOf, this, &Application::tell);
    connect(m_sessions.get(), &SessionKeeper::recoverableChanged, m_actions.get(),
            &StopwatchActions::setRecoverable);
    connect(m_sessions.get(), &SessionKeeper::restoreQuestionOpen, this, [this](bool open) {
        if (m_remote)
            m_remote->setRefusal(open ? QStringLiteral("it waits for an answer to its restore "
                                                       "question")
                                      : QString());
    });
    connect(m_report.get(), &ReportWindow::writeFileRequested, m_sessions.get(),
            &SessionKeeper::writeReportFiles);
    m_sessions->start();
}

// --- commands ----------------------------------------------------------------------------------

void Application::wireActions() {
    StopwatchActions& a = *m_actions;
    connect(a.startStop(), &QAction::triggered, this, [this] {
        display().setLedIdle(false);
        m_clock->startStop();
    });
    connect(a.snap(), &QAction::triggered, this, &Application::takeSnap);
    connect(a.reset(), &QAction::triggered, m_clock.get(), &Stopwatch::reset);
    connect(m_clock.get(), &Stopwatch::resetDone, m_readings.get(), &Session::clearReportForReset);
    connect(m_clock.get(), &Stopwatch::resolutionChanged, this, [this] {
        m_readings->rerenderTimeTexts(m_clock->eventsPerSec());
        m_report->setEventsPerSec(m_clock->eventsPerSec());
    });
    // A late tick past 100 hours: the clock starts again from zero.
    connect(m_clock.get(), &Stopwatch::rollOverDue, this, [this] {
        m_actions->reset()->trigger();
        m_actions->startStop()->trigger();
    });

    connect(a.hotkeys(), &QAction::triggered, this,
            [this] { m_hotkeys->openDialog(*m_panel, m_panel->optionsButtonArea()); });
    connect(a.setTime(), &QAction::triggered, this, &Application::openSetTimeDialog);
    connect(a.report(), &QAction::toggled, this, &Application::setReportVisible);
    connect(a.minimizeToTray(), &QAction::triggered, this, &Application::minimizeToTray);
    connect(a.restoreFromTray(), &QAction::triggered, this, &Application::restoreFromTray);
    connect(a.rate(), &QAction::toggled, this, &Application::setRateVisible);
    connect(a.speed(), &QAction::toggled, this, &Application::setSpeedVisible);
    connect(a.open(), &QAction::triggered, this, [this] { m_sessions->openSessionDialog(); });
    connect(a.save(), &QAction::triggered, this, [this] { m_sessions->saveSessionDialog(); });
    connect(a.about(), &QAction::triggered, this, &Application::showAbout);
    connect(a.exit(), &QAction::triggered, this, &Application::exit);
    connect(a.menuAtPointer(), &QAction::triggered, this, [this] {
        // The whole menu, undoing the short one of the tray icon.
        m_actions->prepareFullMenu(m_tray->inTray());
        m_actions->optionsMenu()->popup(QCursor::pos());
    });

    connect(m_panel.get(), &MainPanel::displayAttachToggled, m_displays.get(),
            &DisplayKeeper::setAttached);
    connect(m_panel.get(), &MainPanel::closeRequested, this, &Application::exit);

    // Whether the tray can be used is decided just before a menu holding Minimize shows.
    m_tray->setMinimizeAction(a.minimizeToTray());
    connect(a.optionsMenu(), &QMenu::aboutToShow, m_tray.get(), &TrayIcon::applyAvailability);
    connect(a.trayMenuAction()->menu(), &QMenu::aboutToShow, m_tray.get(),
            &TrayIcon::applyAvailability);
    connect(m_tray.get(), &TrayIcon::minimizing, this,
            [this] { m_panel->setDisplayAttached(false); });
    connect(m_tray.get(), &TrayIcon::contextMenuRequested, this, [this] {
        m_actions->prepareTrayMenu();
        m_actions->optionsMenu()->popup(QCursor::pos());
    });
}

void Application::runCommand(RemoteCommand command) {
    if (QAction* action = m_actions->forCommand(command))
        action->trigger();
    else if (command == RemoteCommand::Raise)
        raisePanel();
}

void Application::exit() {
    if (m_exiting)
        return;
    m_exiting = true;
    // The settings as they are now, before closing the windows hides them.
    if (m_settings)
        m_settings->finish();
    m_hotkeys->releaseAll();
    m_sessions->keepForNextStart();
    m_clock->reset();
    unloadWindows();
    m_panel->hide();
    QApplication::quit();
}

// --- readings ----------------------------------------------------------------------------------

void Application::takeSnap() {
    cfx::SnapHooks hooks;
    hooks.flashAndSound = [this] { return m_actions->flashSound()->isChecked(); };
    hooks.playAlert = [this] { m_displays->playAlert(); };
    hooks.endFlash = [this] { m_displays->endFlash(); };
    hooks.reportFull = [this] {
        QMessageBox::warning(m_report.get(), tr("Chronofex - Report"),
                             tr("The report already holds %1 readings, the most it "
                                "can keep. Write it to a text file to start a new "
                                "one; this reading was not added.")
                                 .arg(Session::kMaxRecords));
    };
    const cfx::SnapResult snapped = cfx::takeSnap(*m_clock, *m_readings, display(), hooks);
    // The new reading is the last one (a snap after a reset or a set time prunes those after it).
    const int n = m_readings->recordCount();
    if (snapped.appended && n > 0)
        cfx::announce(m_panel.get(), tr("Snap %1, %2")
                                         .arg(n)
                                         .arg(cfx::withoutStandingMark(
                                             m_readings->text(n, cfx::ReadingColumn::Time))));
}

void Application::setReportVisible(bool visible) {
    if (!m_report)
        return;
    if (visible) {
        fitOnScreen(m_report.get(), m_panel->optionsButtonArea());
        m_report->show();
        m_report->raise();
    } else {
        m_report->hide();
    }
}

DocumentOpener& Application::documentOpener() {
    if (!m_documents)
        m_documents = std::make_unique<DocumentOpener>(m_dataDir);
    return *m_documents;
}

void Application::setDocumentOpener(std::unique_ptr<DocumentOpener> opener) {
    m_documents = std::move(opener);
}

// "Make Word Report": the readings stay in the report, which is neither cleared nor starts a new
// session.
void Application::makeWordReport() {
    const cfx::ReportHeader header{QDateTime::currentDateTime(), m_clock->resolutionText(),
                                   m_readings->sessionStamp()};
    const cfx::docx::Document doc =
        cfx::stopwatchWordDocument(*m_readings, header, m_clock->eventsPerSec());
    cfx::openDocumentFor(m_report.get(), documentOpener(), doc, QStringLiteral("Chronofex Report"));
}

// --- rate and speed ----------------------------------------------------------------------------

void Application::loadMeasureWindows() {
    // Both windows read the main stopwatch and never drive it.
    MeasureClock clock;
    clock.elapsedCs = [this] { return m_clock->elapsedCs(); };
    clock.running = [this] { return m_clock->isRunning(); };
    m_rateWindow = std::make_unique<RateWindow>(clock);
    m_speedWindow = std::make_unique<SpeedWindow>(clock);
    connect(m_rateWindow.get(), &RateWindow::closeRequested, m_actions->rate(),
            [this] { m_actions->rate()->setChecked(false); });
    connect(m_speedWindow.get(), &SpeedWindow::closeRequested, m_actions->speed(),
            [this] { m_actions->speed()->setChecked(false); });
    connectRecordReports();
}

// "TextFile" and "Word Report" of the rate and speed windows.
void Application::connectRecordReports() {
    auto connectWindow = [this](MeasureWindow* window, const cfx::RecordReportKind& kind) {
        connect(window, &MeasureWindow::textFileRequested, this, [this, window, &kind] {
            cfx::writeRecordFilesFor(window, documentOpener(), m_dataDir, window->records(), kind);
        });
        connect(window, &MeasureWindow::wordReportRequested, this, [this, window, &kind] {
            cfx::openRecordDocumentFor(window, documentOpener(), window->records(), kind);
        });
    };
    connectWindow(m_rateWindow.get(), cfx::RecordReportKind::rate());
    connectWindow(m_speedWindow.get(), cfx::RecordReportKind::speed());
}

void Application::setRateVisible(bool visible) {
    if (visible)
        showInFront(m_rateWindow.get(), m_panel->optionsButtonArea());
    else
        m_rateWindow->hide();
}

void Application::setSpeedVisible(bool visible) {
    if (visible)
        showInFront(m_speedWindow.get(), m_panel->optionsButtonArea());
    else
        m_speedWindow->hide();
}

// --- commands from outside ---------------------------------------------------------------------

bool Application::startRemoteControl(QString* error) {
    m_remote = std::make_unique<RemoteControlServer>();
    connect(m_remote.get(), &RemoteControlServer::commandReceived, this,
            [this](cfx::RemoteCommand command) {
                if (!m_panel)
                    return; // still on the splash: nothing to work yet
                // Status is answered by the server itself; Open comes as openRequested.
                runCommand(command);
            });
    // Opening may show a message box, which must not run inside the socket's handler.
    connect(m_remote.get(), &RemoteControlServer::openRequested, this,
            &Application::openSessionFromOutside, Qt::QueuedConnection);
    m_remote->setStatusProvider([this] {
        // What the panel shows, for scripts that work the stopwatch from outside.
        if (!m_panel)
            return QByteArray("caption=-");
        QByteArray fields;
        fields += "caption=" + m_panel->startStopCaption().toUtf8();
        fields += " time=" + m_panel->timeText().toUtf8();
        fields += QByteArray(" snap=") + (m_actions->snap()->isEnabled() ? "1" : "0");
        fields += QByteArray(" reset=") + (m_actions->reset()->isEnabled() ? "1" : "0");
        fields += " stamp=" + QByteArray(m_readings->sessionStamp().isEmpty() ? "0" : "1");
        fields += " readings=" + QByteArray::number(m_readings ? m_readings->recordCount() : 0);
        fields += " resolution=" + QByteArray::number(m_clock->eventsPerSec());
        return fields;
    });
    return m_remote->listen(cfx::remoteSocketPath(m_dataDir, error), error);
}

void Application::raisePanel() {
    if (m_tray->inTray())
        restoreFromTray();
    m_panel->showNormal();
    m_panel->raise();
    m_panel->activateWindow();
}

void Application::openSessionFromOutside(const QString& path) {
    // During the splash, and while the message about an earlier request is open, the newest
    // request waits: one message box at a time, however many requests come.
    if (!m_panel || m_openingFromOutside) {
        m_pendingSession = path;
        return;
    }
    m_openingFromOutside = true;
    raisePanel();
    m_sessions->loadSession(path);
    m_openingFromOutside = false;
    if (!m_pendingSession.isEmpty())
        QTimer::singleShot(0, this, [this] { openSessionFromOutside(takePendingSession()); });
}

// --- set time ----------------------------------------------------------------------------------

void Application::openSetTimeDialog() {
    if (!m_setTime) {
        m_setTime = new SetTimeDialog(*m_clock, m_panel.get());
        m_setTime->setModal(true);
        connect(m_clock.get(), &Stopwatch::runningChanged, m_setTime,
                &SetTimeDialog::setClockRunning);
    }
    m_setTime->setClockRunning(m_clock->isRunning());
    m_setTime->prepare();
    showInFront(m_setTime, m_panel->optionsButtonArea());
}

// --- messages ----------------------------------------------------------------------------------

void Application::tell(QMessageBox::Icon icon, const QString& title, const QString& text) {
    if (m_sessionMessage)
        m_sessionMessage(title, text);
    else
        QMessageBox(icon, title, text, QMessageBox::Ok, m_panel.get()).exec();
}

// --- splash and about --------------------------------------------------------------------------

void Application::showAbout() {
    if (!m_about)
        m_about = std::make_unique<SplashWindow>();
    m_about->showAbout();
    fitOnScreen(m_about.get(), m_panel->optionsButtonArea());
}

// --- tray --------------------------------------------------------------------------------------

void Application::minimizeToTray() {
    m_tray->minimize();
    m_trayStatus->update();
}

void Application::restoreFromTray() {
    m_tray->restore();
}

// --- end ---------------------------------------------------------------------------------------

void Application::unloadWindows() {
    if (m_tray)
        m_tray->remove();
    if (m_setTime)
        m_setTime->close();
    if (m_about)
        m_about->close();
    if (m_help)
        m_help->close();
    if (m_report)
        m_report->closeForGood();
    if (m_rateWindow)
        m_rateWindow->close();
    if (m_speedWindow)
        m_speedWindow->close();
    if (m_displays)
        m_displays->close();
}

} // namespace cfx
