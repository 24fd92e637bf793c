#pragma once

#include "core/RemoteCommand.h"
#include "core/Stopwatch.h"
#include "core/io/SessionFile.h"
#include "platform/Settings.h"

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace cfx {

class DisplayKeeper;
class HelpWindow;
class HotkeyKeeper;
class SplashWindow;
class SetTimeDialog;
class RemoteControlServer;
class RateWindow;
class SpeedWindow;
class MainPanel;
class StopwatchActions;
class TrayIcon;
class TrayStatus;
class DocumentOpener;
class Session;
class SessionKeeper;
class ReportWindow;
class SettingsKeeper;

// The running program: creates, owns and wires the stopwatch, its actions, the windows and the
// desktop services, each created once and kept until the program ends, and runs the exit
// sequence. Windows know nothing of it: they trigger actions and emit what the user asked for.
class Application : public QObject {
    Q_OBJECT
public:
    explicit Application(QString dataDir, QObject* parent = nullptr);
    ~Application() override;

    // Creates the panel and the windows it loads, in the panel's start-up order. Separate from
    // the constructor so that tests can inject a clock first.
    void load();

    Stopwatch& clock() { return *m_clock; }
    MainPanel& panel() { return *m_panel; }
    StopwatchActions& actions() { return *m_actions; }
    RateWindow& rateWindow() { return *m_rateWindow; }
    SpeedWindow& speedWindow() { return *m_speedWindow; }
    DisplaySink& display() { return m_clock->display(); }
    // The folder for the hotkey file and every report.
    QString dataDir() const { return m_dataDir; }
    // The session's readings and the report window that shows them.
    Session& readings() { return *m_readings; }
    // The readings' journal, restore, session files and text report. Null until load().
    SessionKeeper& sessions() { return *m_sessions; }
    ReportWindow& report() { return *m_report; }
    // Opens the report documents for the user; tests put in one that launches nothing.
    DocumentOpener& documentOpener();
    void setDocumentOpener(std::unique_ptr<DocumentOpener> opener);

    // Remembers the settings between runs in this file: load() puts them in place (the first-run
    // settings when asked to start with them, forgetting the file's) and they are written back as
    // they change. Without it the program starts with the first-run settings and keeps nothing.
    // Call before load().
    void rememberSettings(SettingsStore store, bool startWithDefaults);
    // Null without remembered settings.
    SettingsKeeper* settingsKeeper() const { return m_settings.get(); }

    // Replaces the time source (tests). Call before load().
    void setTimeSource(std::unique_ptr<MonotonicClock> source);

    void takeSnap();
    void setReportVisible(bool visible);
    void setRateVisible(bool visible);
    void setSpeedVisible(bool visible);
    void openSetTimeDialog();
    // A session file named at a later start: the panel comes forward and the file is opened as
    // "Open..." would; during the splash it waits until the panel is there.
    void openSessionFromOutside(const QString& path);
    QString takePendingSession() { return std::exchange(m_pendingSession, QString()); }
    // Where a failed session open or save, a journal or settings file that cannot be written is
    // told (a message box unless replaced, as in tests).
    using SessionMessage = std::function<void(const QString& title, const QString& text)>;
    void setSessionMessage(SessionMessage message) { m_sessionMessage = std::move(message); }
    void showAbout();
    void minimizeToTray();
    void restoreFromTray();
    // Out of the tray if it is there, shown, on top and active.
    void raisePanel();
    TrayIcon& tray() { return *m_tray; }
    // The global hotkeys. Null until load().
    HotkeyKeeper& hotkeys() { return *m_hotkeys; }
    SetTimeDialog* setTimeDialog() const { return m_setTime; }
    // The large display, its transparency and a snap's flash and sound.
    DisplayKeeper& displays() { return *m_displays; }
    // "x11" or "portal" forces that hotkey backend; empty (the default) chooses by the desktop.
    // Call before load().
    void setHotkeyBackend(const QString& forced) { m_hotkeyBackend = forced; }
    // Carries out a global hotkey's or a later start's command through the command's action.
    void runCommand(RemoteCommand command);
    // The exit sequence: the clock reset, the hotkeys given back, every window closed, the
    // program ended.
    void exit();
    // Takes commands from later starts of the program (--start-stop, --snap, --reset, --menu,
    // and a plain start that brings the panel forward). False with the reason when it cannot.
    bool startRemoteControl(QString* error = nullptr);
    // Hides and closes every window but the panel, at the end of the program.
    void unloadWindows();

private:
    void tell(QMessageBox::Icon icon, const QString& title, const QString& text);
    void wireActions();
    void loadMeasureWindows();

    QString m_dataDir;
    std::unique_ptr<MonotonicClock> m_timeSource;
    std::unique_ptr<Stopwatch> m_clock;
    std::unique_ptr<StopwatchActions> m_actions;
    std::unique_ptr<MainPanel> m_panel;
    std::unique_ptr<TrayIcon> m_tray;
    SetTimeDialog* m_setTime = nullptr; // owned by the panel
    std::unique_ptr<SplashWindow> m_about;
    std::unique_ptr<HelpWindow> m_help;
    std::unique_ptr<HotkeyKeeper> m_hotkeys;
    QString m_hotkeyBackend;
    std::unique_ptr<RemoteControlServer> m_remote;
    // Declared after the panel: the report goes before the readings it shows.
    std::unique_ptr<Session> m_readings;
    std::unique_ptr<TrayStatus> m_trayStatus;
    std::unique_ptr<ReportWindow> m_report;
    // Declared after the report and the readings, which it follows.
    std::unique_ptr<SessionKeeper> m_sessions;

    std::unique_ptr<DocumentOpener> m_documents;

    std::unique_ptr<RateWindow> m_rateWindow;
    std::unique_ptr<SpeedWindow> m_speedWindow;
    std::unique_ptr<DisplayKeeper> m_displays;
    std::optional<SettingsStore> m_settingsFile;
    bool m_startWithDefaults = false;
    std::unique_ptr<SettingsKeeper> m_settings;
    void makeWordReport();
    void connectRecordReports();
    QString m_pendingSession; // handed over during the splash
    SessionMessage m_sessionMessage;
    bool m_exiting = false;
    bool m_openingFromOutside = false;
};

} // namespace cfx
