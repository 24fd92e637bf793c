#include "core/ReadingsModel.h"

#include "core/NumberText.h"
#include "core/TimeFormat.h"

#include <algorithm>
#include <limits>

namespace cfx {

namespace {

constexpr int kColNumber = 0;
constexpr int kColTime = 1;
constexpr int kColShare = 2;
constexpr int kColComment = 3;
constexpr int kRefTag = 0;
constexpr int kRefCs = 1;
constexpr int kRefMark = 2;

// Centiseconds from TimerReference column 1. The column normally holds a plain decimal integer,
// read here without allocating (the prune scan reads every record on a snap); anything else
// takes the general numeric-value rule.
qint32 centiseconds(const QString& text) {
    const qsizetype n = text.size();
    if (n > 0 && n <= 9) {
        qsizetype i = 0;
        const bool negative = text[0] == QLatin1Char('-');
        if (negative)
            i = 1;
        if (i < n) {
            qint32 value = 0;
            for (; i < n; ++i) {
                const char16_t ch = text[i].unicode();
                if (ch < u'0' || ch > u'9')
                    break;
                value = value * 10 + (ch - u'0');
            }
            if (i == n)
                return negative ? -value : value;
        }
    }
    return cfx::roundHalfEvenToInt32(cfx::numericValue(text));
}

} // namespace

ReadingsModel::ReadingsModel(QObject* parent) : QObject(parent) {
    m_results.setTextMatrix(0, kColNumber, QStringLiteral("#"));
    m_results.setTextMatrix(0, kColTime, QStringLiteral("Time"));
    m_results.setTextMatrix(0, kColShare, QStringLiteral("%"));
    m_results.setTextMatrix(0, kColComment, QStringLiteral("Comment"));
    m_results.setAlignmentAt(0, kColNumber, GridModel::kAlignCentreTop);
    m_results.setColumnSource(
        kColShare, [this](int row, const QString& stored) { return shareText(row, stored); });
    connect(&m_reference, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                if (!m_ownWrite && from.column() <= kRefCs && to.column() >= kRefCs)
                    m_timesSorted = false;
            });
    connect(&m_reference, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!m_ownWrite)
            m_timesSorted = false;
    });
}

QString ReadingsModel::zeroShareText() {
    return cfx::formatFixed(0.0);
}

qint32 ReadingsModel::timeCs(int n) const {
    return centiseconds(m_reference.textMatrix(n, kRefCs));
}

bool ReadingsModel::isExcluded(int n) const {
    return isValidRecord(n) && m_results.backColorAt(n, kColTime) == GridModel::kRed;
}

QString ReadingsModel::shareText(int row, const QString& stored) const {
    if (row > m_shareRows)
        return stored;
    // A newest reading of 0 cs has no share to divide by; every record shows 0.00 then.
    if (m_shareBase == 0)
        return zeroShareText();
    return cfx::formatFixed(static_cast<double>(timeCs(row)) / m_shareBase * 100.0);
}

int ReadingsModel::firstAtOrAfter(qint32 timeCs) {
    const int last = recordCount();
    if (m_timesSorted) {
        int lo = 1;
        int hi = last + 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (this->timeCs(mid) >= timeCs)
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo <= last ? lo : 0;
    }
    // One full scan finds the record and learns whether the times are in order again.
    int first = 0;
    bool sorted = true;
    qint32 previous = std::numeric_limits<qint32>::min();
    for (int r = 1; r <= last; ++r) {
        const qint32 t = this->timeCs(r);
        if (first == 0 && t >= timeCs)
            first = r;
        sorted = sorted && t >= previous;
        previous = t;
    }
    m_timesSorted = sorted;
    return first;
}

void ReadingsModel::prune(qint32 timeCs) {
    const int first = firstAtOrAfter(timeCs);
    if (first == 0)
        return;
    // Removing the tail in one step gives the same grids as removing rows last .. first.
    m_reference.setRows(first);
    m_results.setRows(first);
    m_shareRows = std::min(m_shareRows, first - 1);
}

void ReadingsModel::addRecordRow(bool stoodStill, qint32 timeCs) {
    const int last = recordCount();
    m_timesSorted = m_timesSorted && (last == 0 || this->timeCs(last) <= timeCs);
    m_ownWrite = true;
    const int row = m_results.addRow();
    m_reference.addRow();
    m_results.setTextMatrix(row, kColNumber, QString::number(row));
    m_results.setAlignmentAt(row, kColNumber, GridModel::kAlignCentreTop);
    m_results.setAlignmentAt(row, kColTime, GridModel::kAlignLeftCentre);
    m_results.setAlignmentAt(row, kColShare, GridModel::kAlignLeftCentre);
    if (stoodStill) {
        for (int c = kColTime; c <= kColComment; ++c)
            m_results.setBackColorAt(row, c, GridModel::kYellow);
    }
    m_reference.setAlignmentAt(row, kRefTag, GridModel::kAlignLeftCentre);
    m_reference.setAlignmentAt(row, kRefCs, GridModel::kAlignLeftCentre);
    m_ownWrite = false;
}

ReadingsModel::Append ReadingsModel::appendReading(qint32 timeCs, bool stoodStill,
                                                   const QString& tag, bool prune,
                                                   const QString& clockText) {
    if (prune)
        this->prune(timeCs);
    if (recordCount() >= kMaxRecords)
        return Append::Refused;
    addRecordRow(stoodStill, timeCs);
    const int row = recordCount();
    m_ownWrite = true;
    m_reference.setTextMatrix(row, kRefTag, tag);
    m_reference.setTextMatrix(row, kRefCs, QString::number(timeCs));
    m_ownWrite = false;
    m_results.setTextMatrix(row, kColTime, stoodStill ? QLatin1Char('S') + clockText : clockText);
    m_reference.setRow(row);
    m_results.setRow(row);
    m_results.setTopRow(row);
    Q_EMIT appended(row);
    return Append::Appended;
}

void ReadingsModel::refreshReadings() {
    const int last = recordCount();
    m_shareRows = last;
    m_shareBase = last > 0 ? timeCs(last) : 0;
    m_results.columnSourceChanged(kColShare);
    if (last > 0)
        selectRecord(last);
    Q_EMIT refreshed();
}

void ReadingsModel::selectRecord(int n) {
    if (!isValidRecord(n))
        return;
    m_results.setRow(n);
    m_results.setCol(kColNumber);
    m_results.setSelection(n, kColComment);
}

void ReadingsModel::clearReport() {
    m_stampPending = true;
    m_timesSorted = true;
    m_reference.setRows(1);
    m_gaps.setRows(1);
    m_results.setRows(1);
    m_shareRows = 0;
    Q_EMIT cleared(false);
}

void ReadingsModel::clearReportForReset() {
    m_stampPending = true;
    m_timesSorted = true;
    m_reference.setRows(1);
    m_results.setRows(1);
    m_shareRows = 0;
    Q_EMIT cleared(true);
}

bool ReadingsModel::include(int n) {
    if (!isValidRecord(n))
        return false;
    const QString time = m_results.textMatrix(n, kColTime);
    const bool marked = !time.isEmpty() && time.front().toUpper() == QLatin1Char('S');
    m_results.setBackColorAt(n, kColTime,
                             marked ? GridModel::kYellow : GridModel::kWindowBackground);
    m_reference.setTextMatrix(n, kRefMark, QStringLiteral(" "));
    selectRecord(n);
    Q_EMIT exclusionChanged(n);
    return true;
}

bool ReadingsModel::exclude(int n) {
    if (!isValidRecord(n))
        return false;
    m_results.setBackColorAt(n, kColTime, GridModel::kRed);
    m_reference.setTextMatrix(n, kRefMark, QStringLiteral("1"));
    selectRecord(n);
    Q_EMIT exclusionChanged(n);
    return true;
}

bool ReadingsModel::addComment(int n, const QString& comment) {
    if (!isValidRecord(n))
        return false;
    m_results.setTextMatrix(n, kColComment, comment);
    selectRecord(n);
    Q_EMIT commentChanged(n);
    return true;
}

void ReadingsModel::rerenderTimeTexts(int eventsPerSec) {
    const int last = recordCount();
    for (int r = 1; r <= last; ++r) {
        m_results.setTextMatrix(r, kColTime,
                                cfx::rerenderReadingText(m_results.textMatrix(r, kColTime),
                                                         m_reference.textMatrix(r, kRefTag),
                                                         eventsPerSec));
    }
}

ReadingsModel::Append ReadingsModel::addLoadedReading(const QString& number,
                                                      const QString& timeText, const QString& share,
                                                      const QString& comment, const QString& tag,
                                                      const QString& timeCsText) {
    if (recordCount() >= kMaxRecords)
        return Append::Refused;
    addRecordRow(timeText.startsWith(QLatin1Char('S')), centiseconds(timeCsText));
    const int row = recordCount();
    m_results.setTextMatrix(row, kColNumber, number);
    m_results.setTextMatrix(row, kColTime, timeText);
    m_results.setTextMatrix(row, kColShare, share);
    m_results.setTextMatrix(row, kColComment, comment);
    m_ownWrite = true;
    m_reference.setTextMatrix(row, kRefTag, tag);
    m_reference.setTextMatrix(row, kRefCs, timeCsText);
    m_ownWrite = false;
    return Append::Appended;
}

void ReadingsModel::finishLoading() {
    const int last = recordCount();
    if (last > 0) {
        m_reference.setRow(last);
        m_results.setRow(last);
        m_results.setTopRow(last);
        selectRecord(last);
    }
    Q_EMIT loaded();
}

void ReadingsModel::setGapStatistics(const QString& average, const QString& longest,
                                     const QString& shortest) {
    m_averageGap = average;
    m_longestGap = longest;
    m_shortestGap = shortest;
}

} // namespace cfx
