#pragma once

#include "core/GridModel.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace cfx {

// The readings of the current timing session, held in three grids (row 0 is each grid's header,
// record n is row n of every grid):
//   TimerResults   0 number, 1 time text ("S" in front when taken at a standing clock),
//                  2 share of the newest reading's time, 3 comment
//   TimerReference 0 centisecond tag, 1 time in centiseconds, 2 exclusion mark ("1" = excluded)
//   TimerGap       0 formatted gap, 1 gap in centiseconds (written by the gap statistics)
// The grids are the only store of the readings: the report window, the statistics, the report
// writers and the session file all read them from here.
class ReadingsModel : public QObject {
    Q_OBJECT
public:
    // Record numbers and loops are 32-bit, so the report is not bound to 32766 records; this cap
    // only keeps memory and file sizes sane. A reading past it is refused (appendReading returns
    // Refused) and the caller tells the user.
    static constexpr int kMaxRecords = 100000;

    enum class Append { Appended, Refused };

    explicit ReadingsModel(QObject* parent = nullptr);

    GridModel& results() { return m_results; }
    const GridModel& results() const { return m_results; }
    GridModel& reference() { return m_reference; }
    const GridModel& reference() const { return m_reference; }
    GridModel& gaps() { return m_gaps; }
    const GridModel& gaps() const { return m_gaps; }

    int recordCount() const { return m_results.rows() - 1; }
    bool isValidRecord(int n) const { return n >= 1 && n <= recordCount(); }

    // The reading's time in centiseconds (TimerReference column 1), rounded to 32 bits.
    qint32 timeCs(int n) const;
    // Excluded from the time calculations (the time cell is red).
    bool isExcluded(int n) const;

    // Adds one reading. With prune set, the records at or after timeCs are removed first.
    // clockText is the time without the "S" ("HH:MM:SS.ff"); stoodStill puts the "S" in front and
    // colours columns 1-3 yellow. Emits appended(row).
    Append appendReading(qint32 timeCs, bool stoodStill, const QString& tag, bool prune,
                         const QString& clockText);

    // Recomputes every record's share of the newest reading and selects the newest record.
    // Emits refreshed().
    void refreshReadings();

    // Empties the report (all three grids); the next reading starts a new session. Emits
    // cleared(false).
    void clearReport();
    // The reset's variant: TimerGap is left as it is (the statistics rebuild it). Emits
    // cleared(true).
    void clearReportForReset();

    // The date and time of the session's first reading, as the reports print it.
    QString sessionStamp() const { return m_sessionStamp; }
    void setSessionStamp(const QString& stamp) { m_sessionStamp = stamp; }
    // The next reading stamps the session: true for a new model and after every clear.
    bool stampPending() const { return m_stampPending; }
    void setStampPending(bool pending) { m_stampPending = pending; }

    // Include / exclude record n; false (and nothing changed) when n is not a record.
    bool include(int n);
    bool exclude(int n);
    // Writes the comment exactly as given; false (and nothing changed) when n is not a record.
    bool addComment(int n, const QString& comment);

    // Selects the whole record n (columns 0-3) and makes it current.
    void selectRecord(int n);

    // Re-renders every record's time text at another resolution from its tag; the stored times
    // and the hours, minutes and seconds stay.
    void rerenderTimeTexts(int eventsPerSec);

    // A record read back from a session file: number, time text, share and comment into
    // TimerResults, tag and time into TimerReference; "S" records get their yellow cells. Shares
    // stay as stored until the next refreshReadings(). Refused past kMaxRecords.
    Append addLoadedReading(const QString& number, const QString& timeText, const QString& share,
                            const QString& comment, const QString& tag, const QString& timeCsText);
    // After the loaded records are in: prepares the report as after an append (the newest
    // record selected, the report's controls enabled). Emits loaded().
    void finishLoading();

    // Strings of the last gap statistics ("Not Applicable" when nothing was included).
    QString averageGap() const { return m_averageGap; }
    QString longestGap() const { return m_longestGap; }
    QString shortestGap() const { return m_shortestGap; }
    void setGapStatistics(const QString& average, const QString& longest, const QString& shortest);

    // The share text when the newest reading's time is 0 cs (no share can be computed).
    static QString zeroShareText();

Q_SIGNALS:
    void appended(int row);
    void refreshed();
    void cleared(bool forReset);
    void loaded();
    void exclusionChanged(int row);
    void commentChanged(int row);

private:
    QString shareText(int row, const QString& stored) const;
    void prune(qint32 timeCs);
    int firstAtOrAfter(qint32 timeCs);
    void addRecordRow(bool stoodStill, qint32 timeCs);

    GridModel m_results{4};
    GridModel m_reference{3};
    GridModel m_gaps{2};

    // Rows 1 .. m_shareRows show their share of m_shareBase, computed when read, so a snap does
    // not rewrite every record's text. Later rows (appended or loaded since) show their stored
    // text.
    int m_shareRows = 0;
    qint32 m_shareBase = 0;

    // The records' times are known to be non-decreasing (the usual case: readings of a running
    // clock), so the prune finds its record by bisection. Any write to the times from outside
    // clears it until the next full scan.
    bool m_timesSorted = true;
    bool m_ownWrite = false;

    QString m_sessionStamp;
    bool m_stampPending = true;

    QString m_averageGap;
    QString m_longestGap;
    QString m_shortestGap;
};

} // namespace cfx
