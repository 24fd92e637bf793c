#pragma once

#include "core/Reading.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

class QIODevice;

#include <array>

namespace cfx {

class Session;

inline const QString kJournalFileName = QStringLiteral(".CFXJournal");

// What can keep a journal from being read whole. A journal with damage is kept aside under
// another name before a new one starts, so nothing in it is lost to the new one.
enum class JournalDamage {
    None,
    UnknownFormat, // a version line of a format this program does not know
    NulBytes,      // NUL bytes, as a disk or file system leaves them after a failure
    BadLines,      // lines that are no journal lines (not a torn last line)
    LongLine,      // a line longer than kMaxJournalLineBytes, skipped unread
    TooLarge,      // larger than kMaxJournalBytes: not read at all
};

// No line the program writes comes near this (a comment of a loaded session is at most 64 KB);
// a longer one is skipped without being held in memory.
inline constexpr qsizetype kMaxJournalLineBytes = 1024 * 1024;
// Far beyond what the longest session journals; a larger file is not read.
inline constexpr qint64 kMaxJournalBytes = 256LL * 1024 * 1024;
// The first line of the journals this program writes; older journals have none.
inline constexpr char kJournalVersionLine[] = "CFXJournal\t2";

// What a journal says besides the readings, replayed line by line.
struct JournalFacts {
    QString resolution;   // the resolution box's text, empty when never recorded
    int eventsPerSec = 0; // 0 when never recorded
    qint32 baseCs = 0;
    std::array<int, 8> ledValues{};
    // The readings were written to the report files, saved or cleared since they last changed:
    // nothing is lost without them.
    bool handled = true;
    // The clock was running when the journal ended: it started at startBaseCs at startedAtMs
    // (milliseconds since 1970, UTC).
    bool clockRunning = false;
    qint32 startBaseCs = 0;
    qint64 startedAtMs = 0;
    // When the journal was last written or touched (its modification time; the journal is
    // touched every second while the clock runs), 0 when unknown.
    qint64 endedAtMs = 0;
    JournalDamage damage = JournalDamage::None;
};

// Replays a journal into an empty session: readings, comments, exclusions, stamp and shares as
// they were. Lines that cannot be read are skipped (and noted in damage), and so is a last line
// without its line feed (torn by a crash while it was written); never the lines before it. The
// device is read in pieces: memory grows with the session, not with the file.
JournalFacts replayJournal(QIODevice& device, Session& session);
JournalFacts replayJournal(const QByteArray& bytes, Session& session);

// The clock time a journal comes back at: where it stood still, or, when it ended with the clock
// running, the time the clock showed when the journal was last touched, never behind a reading,
// never past 100 hours.
qint32 restoredClockCs(const JournalFacts& facts, const Session& readings);

// The session's journal in the data folder: every change to the readings is appended as one line
// the moment it happens and handed to the kernel at once, so a killed program loses nothing; the
// file is synced to the disk at most once a second and at every stop of the clock, so a power
// cut loses at most about a second.
//
// Only a plain file is read or written: a symbolic link, a FIFO or a device standing at the path
// is replaced, never followed. The journal is locked (flock) by the program that writes it, so a
// second copy on the same data folder neither takes it for a crash's nor replaces it.
//
// Lines (fields separated by tabs; tab, line feed, carriage return and backslash escaped):
//   CFXJournal 2     the version line, first (older journals have none)
//   A n number time tag timeCs share stamp   reading n appended (later ones dropped)
//   S n number time tag timeCs stamp   a snap: reading n appended and the shares computed anew,
//                    in one line, so a crash cannot leave one without the other
//   F                shares computed anew
//   E n excluded comment   reading n's exclusion and comment
//   R resolution eventsPerSec   time texts rendered at another resolution
//   K baseCs d0 .. d7   the stopped clock's time and the large display's digits
//   G baseCs startedAtMs   the clock started at baseCs at that time (ms since 1970, UTC)
//   Z                cleared on purpose (reset, written to the report files, a session opened)
//   V                saved to a session file
class Journal : public QObject {
    Q_OBJECT
public:
    static constexpr int kRetryIntervalMs = 3000;

    explicit Journal(QString path, QObject* parent = nullptr);
    ~Journal() override;

    // How often a journal that failed tries again (kRetryIntervalMs unless told).
    void setRetryInterval(int ms);

    // The journal a previous run left, replayed into an empty session. Locks it first: a journal
    // locked by another copy of the program is not read (inUse() then says so). A damaged one
    // is kept aside at the next start().
    JournalFacts readPrevious(Session& into);
    // Another running copy of the program holds the journal: this one journals nothing.
    bool inUse() const { return m_inUse; }
    // Where the previous journal was kept aside by start(), empty when it was not.
    QString keptAsidePath() const { return m_keptAside; }

    // Starts a new journal (the old one is replaced, or kept aside when damaged) and follows the
    // session from now on. False when the file cannot be written; error() says why, and the
    // journal tries again every few seconds (unless another copy uses it).
    bool start(Session& session);
    // Writes the session's whole state, as after opening a session file or restoring.
    void recordAll(const QString& resolution, int eventsPerSec, qint32 baseCs,
                   const std::array<int, 8>& ledValues);
    void recordResolution(const QString& resolution, int eventsPerSec);
    // The clock stood still at baseCs; the journal is synced to the disk.
    void recordClock(qint32 baseCs, const std::array<int, 8>& ledValues);
    // The clock started counting on from baseCs now.
    void recordStart(qint32 baseCs);
    void recordSaved();

    bool isWriting() const { return m_fd >= 0 && !m_failing; }
    QString error() const { return m_error; }
    QString path() const { return m_path; }

    // Writes what is pending to the disk now.
    void sync();

Q_SIGNALS:
    // A line could not be written (or synced). The journal tries again every few seconds and,
    // once it can, writes itself anew in full.
    void failed(const QString& error);
    // Whole again after a failure.
    void resumed();

private:
    void write(const QByteArray& line);
    void flushPendingSnap();
    void recordReading(int n);
    void recordState(int n);
    void scheduleSync();
    void fail(int error);
    void retry();
    bool replaceFile(const QByteArray& bytes);
    QByteArray stateBytes() const;
    QByteArray readingLine(int n, bool snap = false) const;
    QByteArray stateLine(int n) const;
    void closeHeld();

    QString m_path;
    int m_fd = -1;     // the journal being written, locked
    int m_heldFd = -1; // the previous run's journal, locked until replaced
    bool m_inUse = false;
    bool m_keepAside = false;
    QString m_keptAside;
    Session* m_session = nullptr;
    QVector<QMetaObject::Connection> m_connections;
    QString m_error;
    bool m_dirty = false;
    bool m_failing = false;
    bool m_handled = true;
    int m_pendingSnap = 0; // a reading appended whose refresh has not come yet
    // The last resolution, stopped clock and start lines, written again into every new journal.
    QByteArray m_resolutionLine;
    QByteArray m_clockLine;
    QByteArray m_startLine;
    QTimer* m_syncTimer = nullptr;
    QTimer* m_retryTimer = nullptr;
    QTimer* m_touchTimer = nullptr;
};

} // namespace cfx
