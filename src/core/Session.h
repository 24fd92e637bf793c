#pragma once

#include "core/Reading.h"

#include <QList>
#include <QObject>
#include <QString>

namespace cfx {

// The readings of the current timing session and its stamp. Records are numbered from 1, as the
// report shows them. The session is the only store of the readings: the report window, the
// statistics, the report writers and the session file all read them from here.
class Session : public QObject {
    Q_OBJECT
public:
    // Record numbers and loops are 32-bit, so the report is not bound to 32766 records; this cap
    // only keeps memory and file sizes sane. A reading past it is refused (appendReading returns
    // Refused) and the caller tells the user.
    static constexpr int kMaxRecords = 100000;

    enum class Append { Appended, Refused };

    explicit Session(QObject* parent = nullptr);

    int recordCount() const { return static_cast<int>(m_readings.size()); }
    bool isValidRecord(int n) const { return n >= 1 && n <= recordCount(); }
    // Record n; n must be valid.
    const Reading& reading(int n) const { return m_readings[n - 1]; }
    const QList<Reading>& readings() const { return m_readings; }

    // The reading's time in centiseconds, 0 for no record.
    qint32 timeCs(int n) const { return isValidRecord(n) ? reading(n).timeCs : 0; }
    // The time as stored, for the gaps: a loaded text may carry a fraction.
    double timeValue(int n) const { return isValidRecord(n) ? reading(n).timeValue : 0.0; }
    bool isExcluded(int n) const { return isValidRecord(n) && reading(n).excluded; }
    // The text record n shows and writes in a column; "" for no record.
    QString text(int n, ReadingColumn column) const;

    // Adds one reading. With prune set, the records at or after timeCs are removed first.
    // clockText is the time without the "S" ("HH:MM:SS.ff"); stoodStill puts the "S" in front.
    // Emits appended(n).
    Append appendReading(qint32 timeCs, bool stoodStill, const QString& tag, bool prune,
                         const QString& clockText);

    // Every record's share of the newest reading is computed anew. Emits refreshed().
    void refreshReadings();

    // Empties the report; the next reading starts a new session. Emits cleared(false), or
    // cleared(true) for the reset's variant (the report window lays itself out differently).
    void clearReport();
    void clearReportForReset();

    // The date and time of the session's first reading, as the reports print it.
    QString sessionStamp() const { return m_sessionStamp; }
    void setSessionStamp(const QString& stamp) { m_sessionStamp = stamp; }
    // The next reading stamps the session: true for a new session and after every clear.
    bool stampPending() const { return m_stampPending; }
    void setStampPending(bool pending) { m_stampPending = pending; }

    // Include / exclude record n; false (and nothing changed) when n is not a record.
    bool include(int n);
    bool exclude(int n);
    // Writes the comment exactly as given; false (and nothing changed) when n is not a record.
    bool addComment(int n, const QString& comment);

    // Re-renders every record's time text at another resolution from its tag; the stored times
    // and the hours, minutes and seconds stay.
    void rerenderTimeTexts(int eventsPerSec);
    // The same for records 1 .. upTo only.
    void rerenderTimeTexts(int eventsPerSec, int upTo);

    // A record read back from a session file, its texts kept as they are; a time text beginning
    // with "S" marks it as taken at a standing clock. Its share stays as stored until the next
    // refreshReadings(). Refused past kMaxRecords.
    Append addLoadedReading(const QString& number, const QString& timeText, const QString& share,
                            const QString& comment, const QString& tag, const QString& timeCsText);
    // A reading brought back from the journal as record n, the records from n on dropped first.
    // Emits appended(n). False (nothing changed) when n is not 1 .. recordCount() + 1.
    bool restoreReading(int n, const QString& number, const QString& timeText, const QString& tag,
                        const QString& timeCsText, const QString& share);
    // After the loaded records are in. Emits loaded().
    void finishLoading();

    // The share text when the newest reading's time is 0 cs (no share can be computed).
    static QString zeroShareText();

Q_SIGNALS:
    void appended(int n);
    // Records after the first `count` were removed (a prune).
    void truncated(int count);
    void refreshed();
    void cleared(bool forReset);
    // Emitted by every clear while the readings are still there.
    void aboutToClear();
    void loaded();
    // Record n was included, excluded or got a comment.
    void readingChanged(int n);
    // Every record's time text was rendered anew.
    void timeTextsChanged();

private:
    bool setExcluded(int n, bool excluded);
    QString shareText(int n) const;
    void prune(qint32 timeCs);
    int firstAtOrAfter(qint32 timeCs);
    void clear(bool forReset);

    QList<Reading> m_readings;

    // Records 1 .. m_shareRows show their share of m_shareBase, computed when read, so a snap does
    // not rewrite every record's text. Later records (appended or loaded since) show their stored
    // share.
    int m_shareRows = 0;
    qint32 m_shareBase = 0;

    // The records' times are known to be non-decreasing (the usual case: readings of a running
    // clock), so the prune finds its record by bisection. A reading out of order clears it until
    // the next full scan.
    bool m_timesSorted = true;

    QString m_sessionStamp;
    bool m_stampPending = true;
};

} // namespace cfx
