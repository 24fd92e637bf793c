#pragma once

#include "app/ProgramState.h"
#include "timing/ClockEngine.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <utility>

class AlertSound;
class Form1;
class SetTimeForm;
class HotkeyForm;
class HotkeyService;
class RemoteControlServer;
class RateForm;
class RateNSpeed;
class Stopwatchdisplay1;
class OpenFileDialog;
class TimerPanel1A;
class TrayIcon;
class frmDisplayTransparent;
namespace cfx {
class SetTimePanel;
}
class DocumentOpener;
class ReadingsModel;
class StopWatchReport1;

// The running program: its state, its clock and its windows, each created once and kept until
// the program ends. Windows reach each other only through this object, and the panel asks the
// other subsystems for what it needs through the hooks below.
class Program : public QObject {
    Q_OBJECT
public:
    explicit Program(const QString& dataDir, QObject* parent = nullptr);
    ~Program() override;

    // Creates the panel and the windows it loads, in the panel's start-up order. Separate from
    // the constructor so that tests can inject a clock first.
    void load();

    ProgramState& state() { return m_state; }
    ClockEngine& clock() { return *m_clock; }
    TimerPanel1A& panel() { return *m_panel; }
    RateForm& rateForm() { return *m_rateForm; }
    RateNSpeed& speedForm() { return *m_speedForm; }
    DisplaySink& display() { return m_clock->display(); }
    QString dataDir() const { return m_state.DataDir; }
    // The session's readings and the report window that shows them.
    ReadingsModel& readings() { return *m_readings; }
    StopWatchReport1& report() { return *m_report; }
    // Opens the report documents for the user; tests put in one that launches nothing.
    DocumentOpener& documentOpener();
    void setDocumentOpener(std::unique_ptr<DocumentOpener> opener);

    // Replaces the time source (tests). Call before load().
    void setTimeSource(std::unique_ptr<MonotonicClock> source);

    // Hooks the panel calls. Each subsystem fills in its own.
    void takeSnap();
    void clearReadingsForReset();
    void rerenderReadings();
    void setReportVisible(bool visible);
    void setRateVisible(bool visible);
    void setSpeedVisible(bool visible);
    void openHotkeyDialog();
    void openSetTimeDialog();
    void openSessionDialog();
    void saveSessionDialog();
    void loadSession(const QString& path);
    // A session file named at a later start: the panel comes forward and the file is opened as
    // "Open..." would; during the splash it waits until the panel is there.
    void openSessionFromOutside(const QString& path);
    QString takePendingSession() { return std::exchange(m_pendingSession, QString()); }
    // The writer step of "Save...": writes the stopped session to the path; false after telling
    // the user why it failed.
    bool saveSession(const QString& path);
    // Where a failed session open or save is told (a message box unless replaced, as in tests).
    using SessionMessage = std::function<void(const QString& title, const QString& text)>;
    void setSessionMessage(SessionMessage message) { m_sessionMessage = std::move(message); }
    void showAbout();
    void minimizeToTray();
    void restoreFromTray();
    // Out of the tray if it is there, shown, on top and active.
    void raisePanel();
    TrayIcon& tray() { return *m_tray; }
    SetTimeForm* setTimeForm() const { return m_setTime; }
    Form1* aboutWindow() const { return m_about.get(); }
    void showTransparencyDialog();
    void playAlert();
    void snapfoto();
    void setDisplayAttached(bool attached);
    // The display's "Join with CFX Control Panel": brings the panel back and attaches the display.
    void joinDisplay();
    Stopwatchdisplay1& largeDisplay() { return *m_display; }
    // Null where the window system cannot show window opacity.
    frmDisplayTransparent* transparencyDialog() const { return m_transparency.get(); }
    void registerHotkeys();
    void releaseHotkeys();
    // Takes commands from later starts of the program (--start-stop, --snap, --reset, --menu,
    // and a plain start that brings the panel forward). False with the reason when it cannot.
    bool startRemoteControl(QString* error = nullptr);
    // Hides and closes every window but the panel, at the end of the program.
    void unloadWindows();

private:
    void loadMeasureWindows();
    void loadDisplay();

    ProgramState m_state;
    std::unique_ptr<MonotonicClock> m_timeSource;
    std::unique_ptr<ClockEngine> m_clock;
    std::unique_ptr<TimerPanel1A> m_panel;
    std::unique_ptr<TrayIcon> m_tray;
    std::unique_ptr<cfx::SetTimePanel> m_setTimePanel;
    SetTimeForm* m_setTime = nullptr; // owned by the panel
    std::unique_ptr<Form1> m_about;
    std::unique_ptr<HotkeyService> m_hotkeys;
    QPointer<HotkeyForm> m_hotkeyForm;
    std::unique_ptr<RemoteControlServer> m_remote;
    // Declared after the panel: the report goes before the readings it shows.
    std::unique_ptr<ReadingsModel> m_readings;
    std::unique_ptr<StopWatchReport1> m_report;

    std::unique_ptr<DocumentOpener> m_documents;

    void writeReportFiles();
    std::unique_ptr<RateForm> m_rateForm;
    std::unique_ptr<RateNSpeed> m_speedForm;
    std::unique_ptr<Stopwatchdisplay1> m_display;
    std::unique_ptr<frmDisplayTransparent> m_transparency;
    std::unique_ptr<AlertSound> m_alert;
    void makeWordReport();
    void connectRecordReports();
    QPointer<OpenFileDialog> m_openDialog;
    QString m_sessionFolder;  // where the file dialogs start: the last session's folder
    QString m_pendingSession; // handed over during the splash
    SessionMessage m_sessionMessage;
};
