#pragma once

#include "core/io/Journal.h"
#include "core/io/SessionFile.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>

namespace cfx {

class MainPanel;
class OpenFileDialog;
class ReportWindow;
class Session;
class Stopwatch;
class StopwatchActions;

// The life of the session's readings beyond the report window: the journal that keeps them
// through a crash or an Exit, the restore offered at the next start, Recover Last Readings after a
// clear, opening and saving session files (with the exclusions kept beside them), writing the
// text report, and whether the report holds readings neither written nor saved.
class SessionKeeper : public QObject {
    Q_OBJECT
public:
    // `panel` is where messages and the restore question show.
    SessionKeeper(QString dataDir, Stopwatch& clock, Session& readings, StopwatchActions& actions,
                  ReportWindow& report, MainPanel& panel);
    ~SessionKeeper() override;

    // Reads what the last run left in the journal (offered by offerRestore()) or starts a new
    // journal, and follows the clock and the readings from here on.
    void start();
    // At a start after a crash (or an exit with readings neither written nor saved): offers to
    // bring the journaled readings back, then journals the session from here on.
    void offerRestore();
    // The exit: readings neither written nor saved stay in the journal for the next start.
    void keepForNextStart();

    // "Write to Text File & Clear".
    void writeReportFiles();
    // "Open...": the session dialog (one at a time) over the panel; the chosen file is loaded.
    void openSessionDialog();
    // "Save...": the save dialog over the panel; the session as it stood when Save was chosen is
    // written to the chosen file.
    void saveSessionDialog();
    // Opens a session file as "Open..." does: a file that cannot be used leaves the session as it
    // was, with a message.
    void loadSession(const QString& path);
    // The writer step of "Save...": writes the session to the path; false after telling the user
    // why it failed.
    bool saveSession(const QString& path);
    bool saveSession(const QString& path, const SessionData& session);
    // The session as a session file holds it, put in place of the current one.
    void applySession(const SessionData& session, const QVector<int>& excluded = {});
    // The stopped session as it stands: resolution, time, stamp, digits and readings.
    SessionData currentSession() const;
    // Where the file dialogs start: the last opened or saved session's folder.
    QString sessionFolder() const { return m_sessionFolder; }

Q_SIGNALS:
    // A failure or a warning for the user.
    void userToldOf(QMessageBox::Icon icon, const QString& title, const QString& text);
    // The restore question is open (commands from outside must wait) or answered.
    void restoreQuestionOpen(bool open);
    // Readings a clear took, or a declined restore left, can be brought back (or no longer).
    void recoverableChanged(bool recoverable);

private:
    void setUnsaved(bool unsaved);
    void startJournal();
    // Writes the whole session into the journal, as after opening or restoring it.
    void journalWholeSession();
    void journalFailed(const QString& error);
    void journalInUse();
    static QString journalDamageText(JournalDamage damage);
    void recordClock();
    void keepClearedReadings();
    void recoverLastReadings();
    void tellUser(QMessageBox::Icon icon, const QString& title, const QString& text) {
        Q_EMIT userToldOf(icon, title, text);
    }

    QString m_dataDir;
    Stopwatch* m_clock;
    Session* m_readings;
    StopwatchActions* m_actions;
    ReportWindow* m_report;
    MainPanel* m_panel;
    QPointer<OpenFileDialog> m_openDialog;
    std::unique_ptr<Journal> m_journal;
    // Readings of the last run that were neither written nor saved, until offered back.
    std::unique_ptr<Session> m_recovered;
    JournalFacts m_recoveredFacts;
    bool m_journalWarned = false;
    QString m_journalKeptAside;
    // The readings the last clear took (not one after writing them), with their exclusions.
    std::optional<SessionData> m_lastCleared;
    QVector<int> m_lastExcluded;
    bool m_writingReport = false;
    bool m_unsaved = false;
    bool m_exiting = false;
    QString m_sessionFolder;
};

} // namespace cfx
