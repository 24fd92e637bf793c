#include "app/SessionKeeper.h"

#include "core/NumberText.h"
#include "core/Session.h"
#include "core/Stopwatch.h"
#include "core/TimeFormat.h"
#include "core/io/SessionExclusions.h"
#include "core/io/SessionLoad.h"
#include "core/io/TextReport.h"
#include "gui/Announcer.h"
#include "gui/MainPanel.h"
#include "gui/ReportWindow.h"
#include "gui/SessionFileDialog.h"
#include "gui/StopwatchActions.h"
#include "gui/WindowFit.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

namespace cfx {

namespace {

// The numbers of the excluded records.
QVector<int> excludedRecords(const Session& session) {
    QVector<int> excluded;
    for (int n = 1; n <= session.recordCount(); ++n) {
        if (session.isExcluded(n))
            excluded << n;
    }
    return excluded;
}

} // namespace

SessionKeeper::SessionKeeper(QString dataDir, Stopwatch& clock, Session& readings,
                             StopwatchActions& actions, ReportWindow& report, MainPanel& panel)
    : m_dataDir(std::move(dataDir)), m_clock(&clock), m_readings(&readings), m_actions(&actions),
      m_report(&report), m_panel(&panel),
      m_journal(std::make_unique<Journal>(QDir(m_dataDir).filePath(kJournalFileName))) {
    connect(m_journal.get(), &Journal::failed, this, &SessionKeeper::journalFailed);
}

SessionKeeper::~SessionKeeper() = default;

void SessionKeeper::openSessionDialog() {
    if (m_openDialog) {
        m_openDialog->raise();
        m_openDialog->activateWindow();
        return;
    }
    m_openDialog = new OpenFileDialog(m_sessionFolder, m_panel);
    m_openDialog->setWindowFlag(Qt::Window);
    m_openDialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_openDialog, &OpenFileDialog::sessionChosen, this, &SessionKeeper::loadSession);
    m_openDialog->show();
    // The dialog centres itself as it shows.
    fitOnScreen(m_openDialog, m_panel->optionsButtonArea());
}

void SessionKeeper::saveSessionDialog() {
    // The session as it stands when Save is chosen: a hotkey may start the clock while the
    // dialog is open, and the file must not mix the time of one moment with the digits of
    // another.
    const SessionData session = currentSession();
    SaveFileDialog dialog(m_sessionFolder, m_panel);
    // Once shown (and centred by itself), inside its own event loop.
    QTimer::singleShot(0, &dialog,
                       [this, &dialog] { fitOnScreen(&dialog, m_panel->optionsButtonArea()); });
    dialog.exec();
    if (!dialog.chosenPath().isEmpty())
        saveSession(dialog.chosenPath(), session);
}

void SessionKeeper::start() {
    // Readings the last run left neither written nor saved (or a clock it left running) wait
    // for offerRestore(), and the journal they are in is kept, locked, until then; otherwise a
    // new journal starts now.
    auto recovered = std::make_unique<Session>();
    m_recoveredFacts = m_journal->readPrevious(*recovered);
    if ((!m_recoveredFacts.handled && recovered->recordCount() > 0) ||
        m_recoveredFacts.clockRunning)
        m_recovered = std::move(recovered);
    if (m_journal->inUse())
        journalInUse();
    else if (!m_recovered)
        startJournal();
    connect(m_journal.get(), &Journal::resumed, this, [this] {
        // Whole again: a later failure is worth telling again.
        m_journalWarned = false;
    });
    connect(m_clock, &Stopwatch::started, this,
            [this] { m_journal->recordStart(m_clock->baseCs()); });
    // A reset stops the clock at zero.
    connect(m_clock, &Stopwatch::resetDone, this, &SessionKeeper::recordClock);
    connect(m_clock, &Stopwatch::resolutionChanged, this, [this] {
        if (!m_exiting)
            m_journal->recordResolution(m_clock->resolutionText(), m_clock->eventsPerSec());
    });
    // The stopped time goes to the disk with every stop.
    connect(m_clock, &Stopwatch::stopped, this, &SessionKeeper::recordClock);
    // A clear keeps what it took until new readings are taken.
    connect(m_readings, &Session::aboutToClear, this, &SessionKeeper::keepClearedReadings);
    connect(m_readings, &Session::appended, this, [this] {
        if (m_readings->recordCount() == 1 && m_lastCleared) {
            m_lastCleared.reset();
            Q_EMIT recoverableChanged(false);
        }
    });
    connect(m_actions->recoverLast(), &QAction::triggered, this,
            &SessionKeeper::recoverLastReadings);

    // The report's title marks readings neither written nor saved.
    for (auto changed : {&Session::appended, &Session::truncated, &Session::readingChanged})
        connect(m_readings, changed, this, [this] { setUnsaved(true); });
    connect(m_readings, &Session::timeTextsChanged, this, [this] { setUnsaved(true); });
    connect(m_readings, &Session::cleared, this, [this] { setUnsaved(false); });
}

void SessionKeeper::keepForNextStart() {
    m_exiting = true;
    // Readings neither written nor saved stay in the journal as they are, for the next start to
    // offer back: the journal stops following the session before the reset below would clear
    // it, and a running clock is stopped first, so that its time is journaled too.
    if (m_journal) {
        if (m_clock->isRunning())
            m_clock->stop();
        m_readings->disconnect(m_journal.get());
        m_journal->sync();
    }
}

void SessionKeeper::writeReportFiles() {
    const cfx::ReportHeader header{QDateTime::currentDateTime(), m_clock->resolutionText(),
                                   m_readings->sessionStamp()};
    m_writingReport = true;
    const cfx::ReportWriteResult result =
        cfx::writeReportAndClear(m_dataDir, *m_readings, header, m_clock->eventsPerSec());
    m_writingReport = false;
    if (!result.ok) {
        QMessageBox::warning(m_report, tr("Chronofex - Report"), result.message());
        return;
    }
    m_report->showReportWritten(m_dataDir, {cfx::kReportFileName, cfx::kRawCsvFileName});
    // The readings are in the files: a new journal starts.
    if (!m_recovered)
        startJournal();
}

bool SessionKeeper::saveSession(const QString& path, const SessionData& session) {
    const cfx::FileResult written = cfx::writeSession(path, session);
    // Saving leaves the newest record selected.
    m_report->highlightRecord(m_readings->recordCount());
    if (!written.ok) {
        const QString text = tr("The session could not be saved to \"%1\".\n%2")
                                 .arg(QDir::toNativeSeparators(path), written.error);
        tellUser(QMessageBox::Critical, tr("Save CFX File"), text);
        return false;
    }
    m_sessionFolder = QFileInfo(path).absolutePath();
    cfx::announce(m_panel, tr("Session saved: %1").arg(QFileInfo(path).fileName()));
    // The exclusions of the readings the file holds, in the file beside it.
    QVector<int> excluded;
    for (const int n : excludedRecords(*m_readings)) {
        if (n <= session.readings.size())
            excluded << n;
    }
    const cfx::FileResult kept = cfx::writeExclusions(path, excluded);
    if (!kept.ok) {
        tellUser(QMessageBox::Warning, tr("Save CFX File"),
                 tr("The session was saved to \"%1\", but its excluded readings could not be kept "
                    "in \"%2\" (%3). Opened again, it has every reading included.")
                     .arg(QDir::toNativeSeparators(path),
                          QDir::toNativeSeparators(cfx::exclusionsPath(path)), kept.error));
        // The journal still holds the exclusions.
        return true;
    }
    // Saved as they stand: nothing to restore after a crash until they change again.
    if (session.readings.size() == m_readings->recordCount()) {
        if (m_journal)
            m_journal->recordSaved();
        setUnsaved(false);
    }
    return true;
}

bool SessionKeeper::saveSession(const QString& path) {
    return saveSession(path, currentSession());
}

void SessionKeeper::loadSession(const QString& path) {
    if (path.isEmpty())
        return;
    // The whole file is read and checked first: a file that cannot be used leaves the current
    // session as it was.
    cfx::SessionData session;
    QString error;
    if (!cfx::readSession(path, session, error)) {
        tellUser(QMessageBox::Critical, tr("Open CFX File"), error);
        return;
    }
    m_sessionFolder = QFileInfo(path).absolutePath();
    const cfx::ExclusionsRead marks =
        cfx::readExclusions(path, static_cast<int>(session.readings.size()));
    applySession(session, marks.excluded);
    setUnsaved(false);
    const QString marksPath = QDir::toNativeSeparators(cfx::exclusionsPath(path));
    if (marks.state == cfx::ExclusionsRead::State::Stale) {
        tellUser(QMessageBox::Warning, tr("Open CFX File"),
                 tr("The session file was written again since its excluded readings were kept in "
                    "\"%1\": they may no longer match, so every reading is included.")
                     .arg(marksPath));
    } else if (marks.state == cfx::ExclusionsRead::State::Unreadable) {
        tellUser(QMessageBox::Warning, tr("Open CFX File"),
                 tr("The excluded readings kept in \"%1\" cannot be read (%2), so every reading "
                    "is included.")
                     .arg(marksPath, marks.error));
    }
    // An opened session starts a new journal.
    if (!m_recovered)
        startJournal();
}

void SessionKeeper::applySession(const SessionData& session, const QVector<int>& excluded) {
    m_clock->display().setLedIdle(false);
    m_clock->reset();
    m_readings->setStampPending(false);
    // The file's text is applied as written, also a resolution the box does not list.
    m_clock->setResolution(session.resolution);
    m_clock->setBaseCs(session.baseCs);
    m_readings->setSessionStamp(session.stamp);
    m_clock->display().setLedValues(session.ledValues);
    if (!session.readings.isEmpty())
        cfx::loadReadings(*m_readings, session);
    // Session files keep no exclusions; a restore or a recovery brings its own.
    for (const int n : excluded)
        m_readings->exclude(n);
    if (m_readings->recordCount() > 0)
        m_actions->report()->setChecked(true);
}

void SessionKeeper::startJournal() {
    if (m_journal->inUse())
        return; // said once at the start
    if (!m_journal->start(*m_readings)) {
        journalFailed(m_journal->error());
        return;
    }
    journalWholeSession();
    const QString aside = std::exchange(m_journalKeptAside, m_journal->keptAsidePath());
    if (!m_journal->keptAsidePath().isEmpty() && aside != m_journal->keptAsidePath()) {
        const QString text =
            tr("The journal of the last run could not be read whole (%1). It was kept as "
               "\"%2\", and a new journal has been started.")
                .arg(journalDamageText(m_recoveredFacts.damage),
                     QDir::toNativeSeparators(m_journal->keptAsidePath()));
        QTimer::singleShot(0, this,
                           [this, text] { tellUser(QMessageBox::Warning, tr("Chronofex"), text); });
    }
}

QString SessionKeeper::journalDamageText(JournalDamage damage) {
    switch (damage) {
    case JournalDamage::UnknownFormat:
        return tr("it is of a format this version does not know");
    case JournalDamage::NulBytes:
        return tr("it holds NUL bytes");
    case JournalDamage::BadLines:
        return tr("it holds lines that are no journal lines");
    case JournalDamage::LongLine:
        return tr("it holds a line longer than %1 MB").arg(kMaxJournalLineBytes / (1024 * 1024));
    case JournalDamage::TooLarge:
        return tr("it is larger than %1 MB").arg(kMaxJournalBytes / (1024 * 1024));
    case JournalDamage::None:
        break;
    }
    return {};
}

void SessionKeeper::journalInUse() {
    const QString text =
        tr("Another Chronofex is using the data folder \"%1\" and its journal. This copy "
           "journals nothing: readings not yet written or saved here would be lost in a crash. "
           "Use one copy per data folder (--data-dir DIR chooses another).")
            .arg(QDir::toNativeSeparators(m_dataDir));
    QTimer::singleShot(0, this,
                       [this, text] { tellUser(QMessageBox::Warning, tr("Chronofex"), text); });
}

void SessionKeeper::journalWholeSession() {
    if (m_journal && m_journal->isWriting() && m_readings->recordCount() > 0)
        m_journal->recordAll(m_clock->resolutionText(), m_clock->eventsPerSec(), m_clock->baseCs(),
                             m_clock->display().ledValues());
}

void SessionKeeper::journalFailed(const QString& error) {
    // Said once: the program goes on, and the readings stay in the report until written or saved.
    if (m_journalWarned)
        return;
    m_journalWarned = true;
    const QString text = tr("Readings cannot be journaled in \"%1\" (%2). Chronofex keeps "
                            "working, but readings not yet written or saved would be lost in a "
                            "crash.")
                             .arg(QDir::toNativeSeparators(m_dataDir), error);
    // After the snap or start that found out has returned: a message box must not hold it up.
    QTimer::singleShot(0, this,
                       [this, text] { tellUser(QMessageBox::Warning, tr("Chronofex"), text); });
}

void SessionKeeper::recordClock() {
    if (m_journal)
        m_journal->recordClock(m_clock->baseCs(), m_clock->display().ledValues());
}

void SessionKeeper::keepClearedReadings() {
    if (m_readings->recordCount() == 0 || m_writingReport)
        return;
    m_lastCleared = currentSession();
    m_lastExcluded = excludedRecords(*m_readings);
    Q_EMIT recoverableChanged(true);
}

void SessionKeeper::recoverLastReadings() {
    if (!m_lastCleared)
        return;
    // The clear inside applySession must not take the kept readings' place.
    const SessionData session = *m_lastCleared;
    const QVector<int> excluded = m_lastExcluded;
    applySession(session, excluded);
    m_lastCleared.reset();
    Q_EMIT recoverableChanged(false);
    setUnsaved(true);
    journalWholeSession();
}

void SessionKeeper::offerRestore() {
    // Nothing to offer: load() has already started the new journal.
    if (!m_recovered)
        return;
    const JournalFacts& facts = m_recoveredFacts;
    const bool withReadings = !facts.handled && m_recovered->recordCount() > 0;
    QString text =
        withReadings ? tr("The last run left %1 readings neither written nor saved, of the session "
                          "started at %2. Restore them?")
                           .arg(m_recovered->recordCount())
                           .arg(m_recovered->sessionStamp())
                     : tr("Chronofex did not close normally while the clock was running. "
                          "Restore the clock?");
    const qint32 clockCs = restoredClockCs(facts, *m_recovered);
    if (facts.clockRunning) {
        const qint64 ranMs = std::max<qint64>(0, facts.endedAtMs - facts.startedAtMs);
        text +=
            QStringLiteral("\n\n") +
            tr("The clock was running: it had run for %1 since its last start when "
               "Chronofex ended at %2. It comes back stopped at %3, the time it showed then.")
                .arg(formatCs(static_cast<qint32>(std::min<qint64>(ranMs / 10, 36'000'000)), 100),
                     generalDate(QDateTime::fromMSecsSinceEpoch(facts.endedAtMs)),
                     formatCs(clockCs, 100));
    }
    // Commands from outside wait for no one: a snap taken after the answer would hold the wrong
    // time, and the answer may replace the session they acted on.
    Q_EMIT restoreQuestionOpen(true);
    const auto answer = QMessageBox::question(m_panel, tr("Chronofex"), text);
    Q_EMIT restoreQuestionOpen(false);
    const QString resolution =
        facts.resolution.isEmpty() ? m_clock->resolutionText() : facts.resolution;
    std::array<int, 8> leds = facts.ledValues;
    if (facts.clockRunning) {
        const TimeFields f = timeFields(clockCs);
        leds = displayDigits(f, subSecText(clockCs % 100, eventsPerSecOf(resolution)));
    }
    SessionData session =
        sessionFrom(*m_recovered, resolution, clockCs, m_recovered->sessionStamp(), leds);
    if (!withReadings)
        session.readings.clear();
    const QVector<int> excluded = withReadings ? excludedRecords(*m_recovered) : QVector<int>{};
    if (answer == QMessageBox::Yes) {
        applySession(session, excluded);
        if (facts.clockRunning)
            m_clock->display().setLedValues(leds);
        if (withReadings)
            setUnsaved(true);
    } else if (withReadings) {
        // Declined, they can still be recovered until new readings are taken.
        m_lastCleared = session;
        m_lastExcluded = excluded;
        Q_EMIT recoverableChanged(true);
    }
    m_recovered.reset();
    startJournal();
    // Without readings there is no whole session to journal: the restored clock goes in alone.
    if (answer == QMessageBox::Yes && facts.clockRunning && !withReadings)
        recordClock();
}

SessionData SessionKeeper::currentSession() const {
    return sessionFrom(*m_readings, m_clock->resolutionText(), m_clock->baseCs(),
                       m_readings->sessionStamp(), m_clock->display().ledValues());
}

void SessionKeeper::setUnsaved(bool unsaved) {
    m_unsaved = unsaved && m_readings->recordCount() > 0;
    m_report->setUnsaved(m_unsaved);
}

} // namespace cfx
