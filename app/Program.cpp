#include "app/Program.h"

#include "desktop/AlertSound.h"
#include "desktop/HotkeyDispatch.h"
#include "desktop/HotkeyForm.h"
#include "desktop/HotkeyService.h"
#include "desktop/RemoteControl.h"
#include "desktop/TrayIcon.h"
#include "desktop/WindowShape.h"
#include "measure/RateForm.h"
#include "measure/RateNSpeed.h"
#include "measure/RecordReportActions.h"
#include "outside/DocumentOpener.h"
#include "report/ReadingsModel.h"
#include "report/StopWatchReport1.h"
#include "report/TextReport.h"
#include "report/WordReport.h"
#include "timing/SessionLoad.h"
#include "timing/Snapshot.h"
#include "timing/TimerPanel1A.h"
#include "windows/Form1.h"
#include "windows/SessionFileDialog.h"
#include "windows/SetTime.h"
#include "windows/SetTimeForm.h"
#include "windows/Stopwatchdisplay1.h"
#include "windows/frmDisplayTransparent.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

// What the set-time dialog asks of the panel, done through its buttons.
class PanelSetTime : public cfx::SetTimePanel {
public:
    explicit PanelSetTime(TimerPanel1A& panel) : m_panel(panel) {}
    void pressReset() override { m_panel.pressReset(); }
    void setSnapEnabled(bool on) override { enable("Snap", on); }
    void setResetEnabled(bool on) override { enable("Command3", on); }

private:
    void enable(const char* name, bool on) {
        if (auto* button = m_panel.findChild<QWidget*>(QLatin1String(name)))
            button->setEnabled(on);
    }
    TimerPanel1A& m_panel;
};

} // namespace

Program::Program(const QString& dataDir, QObject* parent)
    : QObject(parent), m_timeSource(std::make_unique<SteadyClock>()) {
    m_state.DataDir = dataDir;
    m_clock = std::make_unique<ClockEngine>(m_state, *m_timeSource);
}

Program::~Program() {
    m_about.reset();
    m_tray.reset();
    // The panel refers to the clock and the state; it goes first.
    m_panel.reset();
    m_clock->setDisplay(nullptr);
}

void Program::setTimeSource(std::unique_ptr<MonotonicClock> source) {
    m_timeSource = std::move(source);
    m_clock = std::make_unique<ClockEngine>(m_state, *m_timeSource);
}

void Program::load() {
    m_readings = std::make_unique<ReadingsModel>();
    m_report = std::make_unique<StopWatchReport1>(*m_readings);
    connect(m_report.get(), &StopWatchReport1::hiddenByUser, this,
            [this] { m_panel->setReportChecked(false); });
    connect(m_report.get(), &StopWatchReport1::writeFileRequested, this,
            &Program::writeReportFiles);
    // The large display exists before the panel, whose start-up gives it its look.
    m_display = std::make_unique<Stopwatchdisplay1>();
    m_clock->setDisplay(m_display.get());
    connect(m_report.get(), &StopWatchReport1::wordReportRequested, this, &Program::makeWordReport);
    m_panel = std::make_unique<TimerPanel1A>(*this);
    m_tray = std::make_unique<TrayIcon>(m_state, *m_panel);
    loadMeasureWindows();
    loadDisplay();
    registerHotkeys();
}

// --- readings ----------------------------------------------------------------------------------

void Program::takeSnap() {
    cfx::SnapClock clock{m_clock->CurrentCs(), m_clock->CentiText(), m_clock->PanelState()};
    cfx::SnapHooks hooks;
    hooks.flashAndSound = [this] { return m_panel->flashSoundOn(); };
    hooks.playAlert = [this] { playAlert(); };
    hooks.snapfoto = [this] { snapfoto(); };
    hooks.disableSnap = [this] {
        if (auto* snap = m_panel->findChild<QPushButton*>(QStringLiteral("Snap")))
            snap->setEnabled(false);
    };
    hooks.reportFull = [this] {
        QMessageBox::warning(m_report.get(), QStringLiteral("Chronofex - Report"),
                             QStringLiteral("The report already holds %1 readings, the most it "
                                            "can keep. Write it to a text file to start a new "
                                            "one; this reading was not added.")
                                 .arg(ReadingsModel::kMaxRecords));
    };
    cfx::TakeSnap(m_state, clock, *m_readings, display(), hooks);
    m_clock->setPanelState(clock.panelState);
}

void Program::clearReadingsForReset() {
    if (m_readings)
        m_readings->ClearReportForReset();
}

void Program::rerenderReadings() {
    if (m_readings)
        m_readings->rerenderTimeTexts(m_state.EventsPerSec);
}

void Program::setReportVisible(bool visible) {
    if (!m_report)
        return;
    if (visible) {
        m_report->show();
        m_report->raise();
    } else {
        m_report->hide();
    }
}

void Program::writeReportFiles() {
    const cfx::ReportHeader header{QDateTime::currentDateTime(), m_panel->resolutionText(),
                                   m_state.SessionStamp};
    const cfx::ReportWriteResult result =
        cfx::writeReportAndClear(m_state.DataDir, *m_readings, m_state, header);
    if (!result.ok)
        QMessageBox::warning(m_report.get(), QStringLiteral("Chronofex - Report"),
                             result.message());
}

DocumentOpener& Program::documentOpener() {
    if (!m_documents)
        m_documents = std::make_unique<DocumentOpener>();
    return *m_documents;
}

void Program::setDocumentOpener(std::unique_ptr<DocumentOpener> opener) {
    m_documents = std::move(opener);
}

// "Make Word Report": the readings stay in the report, which is neither cleared nor starts a new
// session.
void Program::makeWordReport() {
    const cfx::ReportHeader header{QDateTime::currentDateTime(), m_panel->resolutionText(),
                                   m_state.SessionStamp};
    const cfx::docx::Document doc =
        cfx::stopwatchWordDocument(*m_readings, header, m_state.EventsPerSec);
    documentOpener().open(doc, QStringLiteral("Chronofex Report"), m_report.get());
}

// --- rate and speed ----------------------------------------------------------------------------

void Program::loadMeasureWindows() {
    // Both windows read the main stopwatch and never drive it.
    MeasureClock clock;
    clock.elapsedCs = [this] { return m_state.ElapsedCs; };
    clock.running = [this] { return m_clock->isRunning(); };
    m_rateForm = std::make_unique<RateForm>(clock);
    m_speedForm = std::make_unique<RateNSpeed>(clock);
    connect(m_rateForm.get(), &RateForm::closeRequested, this,
            [this] { m_panel->menuAction(QStringLiteral("mnuRate"))->setChecked(false); });
    connect(m_speedForm.get(), &RateNSpeed::closeRequested, this,
            [this] { m_panel->menuAction(QStringLiteral("mnuSpeed"))->setChecked(false); });
    connectRecordReports();
}

// "TextFile" and "Word Report" of the rate and speed windows.
void Program::connectRecordReports() {
    auto textFile = [this](const cfx::RecordReportKind& kind) {
        return [this, &kind](QWidget* window, const GridModel& records) {
            cfx::writeRecordFilesFor(window, m_state.DataDir, records, kind);
        };
    };
    auto wordReport = [this](const cfx::RecordReportKind& kind) {
        return [this, &kind](QWidget* window, const GridModel& records) {
            cfx::openRecordDocumentFor(window, documentOpener(), records, kind);
        };
    };
    m_rateForm->setTextFileHook(textFile(cfx::RecordReportKind::rate()));
    m_rateForm->setWordReportHook(wordReport(cfx::RecordReportKind::rate()));
    m_speedForm->setTextFileHook(textFile(cfx::RecordReportKind::speed()));
    m_speedForm->setWordReportHook(wordReport(cfx::RecordReportKind::speed()));
}

static void showOrHide(QWidget& window, bool visible) {
    if (visible) {
        window.show();
        window.raise();
        window.activateWindow();
    } else {
        window.hide();
    }
}

void Program::setRateVisible(bool visible) {
    showOrHide(*m_rateForm, visible);
}

void Program::setSpeedVisible(bool visible) {
    showOrHide(*m_speedForm, visible);
}

// --- hotkeys -----------------------------------------------------------------------------------

void Program::openHotkeyDialog() {
    if (!m_hotkeyForm) {
        m_hotkeyForm = new HotkeyForm(*m_hotkeys, m_panel.get());
        m_hotkeyForm->setAttribute(Qt::WA_DeleteOnClose);
        m_hotkeyForm->setWindowFlag(Qt::Window);
    }
    m_hotkeyForm->show();
    m_hotkeyForm->raise();
    m_hotkeyForm->activateWindow();
}

void Program::registerHotkeys() {
    if (!m_hotkeys) {
        m_hotkeys = std::make_unique<HotkeyService>(m_state, HotkeyService::platformGrabber());
        connect(m_hotkeys.get(), &HotkeyService::hotkeyPressed, this,
                [this](int id) { DispatchHotkey(*this, static_cast<quint8>(id)); });
    }
    m_hotkeys->setMessageParent(m_panel.get());
    m_hotkeys->startUp();
}

void Program::releaseHotkeys() {
    if (m_hotkeys)
        m_hotkeys->releaseAll();
}

bool Program::startRemoteControl(QString* error) {
    m_remote = std::make_unique<RemoteControlServer>();
    connect(m_remote.get(), &RemoteControlServer::commandReceived, this,
            [this](cfx::RemoteCommand command) {
                if (!m_panel)
                    return; // still on the splash: nothing to work yet
                switch (command) {
                case cfx::RemoteCommand::StartStop:
                    DispatchHotkey(*this, 0);
                    break;
                case cfx::RemoteCommand::Snap:
                    DispatchHotkey(*this, 1);
                    break;
                case cfx::RemoteCommand::Reset:
                    DispatchHotkey(*this, 2);
                    break;
                case cfx::RemoteCommand::Menu:
                    DispatchHotkey(*this, 3);
                    break;
                case cfx::RemoteCommand::Status: // answered by the server itself
                case cfx::RemoteCommand::Open:   // comes as openRequested
                    break;
                case cfx::RemoteCommand::Raise:
                    raisePanel();
                    break;
                }
            });
    // Opening may show a message box, which must not run inside the socket's handler.
    connect(m_remote.get(), &RemoteControlServer::openRequested, this,
            &Program::openSessionFromOutside, Qt::QueuedConnection);
    m_remote->setStatusProvider([this] {
        // What the panel shows, for scripts that work the stopwatch from outside.
        if (!m_panel)
            return QByteArray("caption=-");
        auto* startStop = m_panel->findChild<QAbstractButton*>(QStringLiteral("Command4"));
        auto* snap = m_panel->findChild<QWidget*>(QStringLiteral("Snap"));
        auto* reset = m_panel->findChild<QWidget*>(QStringLiteral("Command3"));
        auto* time = m_panel->findChild<QLabel*>(QStringLiteral("Label2"));
        QByteArray fields;
        fields += "caption=" + (startStop ? startStop->text().toUtf8() : QByteArray("-"));
        fields += " time=" + (time ? time->text().toUtf8() : QByteArray("-"));
        fields += QByteArray(" snap=") + (snap && snap->isEnabled() ? "1" : "0");
        fields += QByteArray(" reset=") + (reset && reset->isEnabled() ? "1" : "0");
        fields += " stamp=" + QByteArray(m_state.SessionStamp.isEmpty() ? "0" : "1");
        fields += " readings=" + QByteArray::number(m_readings ? m_readings->recordCount() : 0);
        return fields;
    });
    return m_remote->listen(cfx::remoteServerNameForUser(m_state.DataDir), error);
}

// --- set time ----------------------------------------------------------------------------------

void Program::openSetTimeDialog() {
    if (!m_setTime) {
        m_setTimePanel = std::make_unique<PanelSetTime>(*m_panel);
        m_setTime = new SetTimeForm(
            m_state, [this]() -> DisplaySink& { return display(); }, *m_setTimePanel,
            m_panel.get());
        m_setTime->setModal(true);
        connect(m_clock.get(), &ClockEngine::started, m_setTime,
                [this] { m_setTime->setClockRunning(true); });
        connect(m_clock.get(), &ClockEngine::stopped, m_setTime,
                [this] { m_setTime->setClockRunning(false); });
        connect(m_clock.get(), &ClockEngine::resetDone, m_setTime,
                [this] { m_setTime->setClockRunning(false); });
    }
    m_setTime->setClockRunning(m_clock->isRunning());
    m_setTime->prepare();
    m_setTime->show();
    m_setTime->raise();
    m_setTime->activateWindow();
}

// --- session files -----------------------------------------------------------------------------

void Program::openSessionDialog() {
    if (m_openDialog) {
        m_openDialog->raise();
        m_openDialog->activateWindow();
        return;
    }
    m_openDialog = new OpenFileDialog(m_sessionFolder, m_panel.get());
    m_openDialog->setWindowFlag(Qt::Window);
    m_openDialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_openDialog, &OpenFileDialog::sessionChosen, this, [this](const QString& path) {
        // Handed over as the design does: the path in Text1, then the load button.
        m_panel->setText1(path);
        m_panel->findChild<QPushButton*>(QStringLiteral("Command5"))->click();
    });
    m_openDialog->show();
}

void Program::saveSessionDialog() {
    SaveFileDialog dialog(m_sessionFolder, m_panel.get());
    dialog.exec();
    m_panel->setText1(dialog.chosenPath());
    if (!m_panel->text1().isEmpty())
        saveSession(m_panel->text1());
    m_panel->setText1(QString());
}

bool Program::saveSession(const QString& path) {
    const cfx::SessionData session =
        cfx::sessionFrom(*m_readings, m_panel->resolutionText(), m_state.BaseCs,
                         m_state.SessionStamp, display().ledValues());
    const cfx::FileResult written = cfx::writeSession(path, session);
    // Reading the cells leaves the newest record selected.
    if (m_readings->recordCount() > 0)
        m_readings->selectRecord(m_readings->recordCount());
    if (!written.ok) {
        const QString text = QStringLiteral("The session could not be saved to \"%1\".\n%2")
                                 .arg(QDir::toNativeSeparators(path), written.error);
        if (m_sessionMessage)
            m_sessionMessage(QStringLiteral("Save CFX File"), text);
        else
            QMessageBox::critical(m_panel.get(), QStringLiteral("Save CFX File"), text);
        return false;
    }
    m_sessionFolder = QFileInfo(path).absolutePath();
    return true;
}

void Program::loadSession(const QString& path) {
    if (path.isEmpty())
        return;
    // The whole file is read and checked first: a file that cannot be used leaves the current
    // session as it was.
    cfx::SessionData session;
    QString error;
    if (!cfx::readSession(path, session, error)) {
        m_panel->setText1(QString());
        if (m_sessionMessage)
            m_sessionMessage(QStringLiteral("Open CFX File"), error);
        else
            QMessageBox::critical(m_panel.get(), QStringLiteral("Open CFX File"), error);
        return;
    }
    m_sessionFolder = QFileInfo(path).absolutePath();

    display().setLedIdle(false);
    m_panel->pressReset();
    m_state.StampPending = 0;
    m_panel->setResolutionText(session.resolution);
    // The file's text is applied as written, also a resolution the box does not list.
    m_clock->subsecAdjust(session.resolution);
    m_state.BaseCs = session.baseCs;
    m_state.SessionStamp = session.stamp;
    display().setLedValues(session.ledValues);
    if (!session.readings.isEmpty()) {
        cfx::loadReadings(*m_readings, session);
        m_panel->findChild<QPushButton*>(QStringLiteral("Command3"))->setEnabled(true);
    }
    m_panel->setText1(QString());
    if (!m_panel->reportChecked() && m_readings->recordCount() > 0)
        m_panel->setReportChecked(true);
    m_panel->menuAction(QStringLiteral("mnuSetTime"))->setEnabled(true);
}

// --- splash and about --------------------------------------------------------------------------

void Program::showAbout() {
    if (!m_about)
        m_about = std::make_unique<Form1>(m_state);
    m_about->showAbout();
}

// --- tray --------------------------------------------------------------------------------------

void Program::minimizeToTray() {
    m_tray->minimize();
}

void Program::raisePanel() {
    if (m_state.InTray)
        restoreFromTray();
    m_panel->showNormal();
    m_panel->raise();
    m_panel->activateWindow();
}

void Program::openSessionFromOutside(const QString& path) {
    if (!m_panel) {
        m_pendingSession = path;
        return;
    }
    raisePanel();
    loadSession(path);
}

void Program::restoreFromTray() {
    m_tray->restore();
}

// --- large display -----------------------------------------------------------------------------

void Program::loadDisplay() {
    connect(m_display.get(), &Stopwatchdisplay1::joinRequested, this, &Program::joinDisplay);
    connect(m_display.get(), &Stopwatchdisplay1::transparencyRequested, this,
            &Program::showTransparencyDialog);
    // Placed beside the panel first, then docked against it while attached.
    m_display->move(m_panel->frameGeometry().width() + 1000 / 15, 2000 / 15);
    m_display->setPanel(m_panel.get());
    m_display->show();
    m_display->setTranslucencyProbe(&translucencyOffered);
}

void Program::showTransparencyDialog() {
    // Made on first use: the compositor that makes it useful may start after the program.
    if (!m_transparency) {
        m_transparency = std::make_unique<frmDisplayTransparent>(m_display.get());
        m_transparency->setValue(frmDisplayTransparent::kMaximum);
    }
    m_transparency->showDialog();
}

void Program::playAlert() {
    if (!m_alert)
        m_alert = std::make_unique<AlertSound>();
    m_alert->play();
}

void Program::snapfoto() {
    // The flash stays up about a tenth of a second without holding the window; the restore takes
    // the look of that moment, so a look changed in between is honoured.
    QTimer::singleShot(100, this, [this] { display().setBackground(m_clock->lookBackground()); });
}

void Program::setDisplayAttached(bool attached) {
    // Called from the panel's start-up too, before the display knows the panel: docking waits.
    if (m_display)
        m_display->setAttached(attached);
}

void Program::joinDisplay() {
    if (m_panel->isMinimized() && m_state.InTray == 0)
        m_panel->showNormal();
    else if (m_state.InTray == 1)
        restoreFromTray();
    m_panel->setDisplayAttached(true);
}

// --- end ---------------------------------------------------------------------------------------

void Program::unloadWindows() {
    if (m_tray)
        m_tray->remove();
    if (m_setTime)
        m_setTime->close();
    if (m_about)
        m_about->close();
    if (m_report)
        m_report->closeForGood();
    if (m_rateForm)
        m_rateForm->close();
    if (m_speedForm)
        m_speedForm->close();
    if (m_transparency)
        m_transparency->close();
    if (m_display)
        m_display->close();
}
