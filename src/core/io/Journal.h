#pragma once

#include "core/Reading.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

#include <array>

namespace cfx {

class Session;

inline const QString kJournalFileName = QStringLiteral(".CFXJournal");

// What a journal says besides the readings, replayed line by line.
struct JournalFacts {
    QString resolution;   // the resolution box's text, empty when never recorded
    int eventsPerSec = 0; // 0 when never recorded
    qint32 baseCs = 0;
    std::array<int, 8> ledValues{};
    // The readings were written to the report files, saved or cleared since they last changed:
    // nothing is lost without them.
    bool handled = true;
};

// Replays a journal's bytes into an empty session: readings, comments, exclusions, stamp and
// shares as they were. Lines that cannot be read are skipped, and so is a last line without its
// line feed (torn by a crash while it was written); never the lines before it.
JournalFacts replayJournal(const QByteArray& bytes, Session& session);

// The session's journal in the data folder: every change to the readings is appended as one line
// the moment it happens and handed to the kernel at once, so a killed program loses nothing; the
// file is synced to the disk at most once a second and at every stop of the clock, so a power
// cut loses at most about a second.
//
// Lines (fields separated by tabs; tab, line feed, carriage return and backslash escaped):
//   A n number time tag timeCs share stamp   reading n appended (later ones dropped)
//   F                shares computed anew
//   E n excluded comment   reading n's exclusion and comment
//   R resolution eventsPerSec   time texts rendered at another resolution
//   K baseCs d0 .. d7   the stopped clock's time and the large display's digits
//   Z                cleared on purpose (reset, written to the report files, a session opened)
//   V                saved to a session file
class Journal : public QObject {
    Q_OBJECT
public:
    explicit Journal(QString path, QObject* parent = nullptr);
    ~Journal() override;

    // Starts a new journal (the old one is replaced) and follows the session from now on.
    // False when the file cannot be written; error() says why, and the journal then writes
    // nothing until the next start().
    bool start(Session& session);
    // Writes the session's whole state, as after opening a session file or restoring.
    void recordAll(const QString& resolution, int eventsPerSec, qint32 baseCs,
                   const std::array<int, 8>& ledValues);
    void recordResolution(const QString& resolution, int eventsPerSec);
    // The clock stood still at baseCs; the journal is synced to the disk.
    void recordClock(qint32 baseCs, const std::array<int, 8>& ledValues);
    void recordSaved();

    bool isWriting() const { return m_file.isOpen(); }
    QString error() const { return m_error; }
    QString path() const { return m_path; }

    // Writes what is pending to the disk now.
    void sync();

Q_SIGNALS:
    // A line could not be written: the journal stops until the next start().
    void failed(const QString& error);

private:
    void write(const QByteArray& line);
    void recordReading(int n);
    void recordState(int n);
    void scheduleSync();

    QString m_path;
    QFile m_file;
    Session* m_session = nullptr;
    QVector<QMetaObject::Connection> m_connections;
    QString m_error;
    bool m_dirty = false;
    QTimer* m_syncTimer = nullptr;
};

} // namespace cfx
