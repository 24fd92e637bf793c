#include "core/Session.h"

#include "core/NumberText.h"
#include "core/TimeFormat.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace cfx {

namespace {

// A plain decimal integer of up to nine digits, read without allocating; anything else is left to
// the general numeric-value rule.
std::optional<qint32> plainInteger(const QString& text) {
    const qsizetype n = text.size();
    if (n == 0 || n > 9)
        return std::nullopt;
    const bool negative = text[0] == QLatin1Char('-');
    qsizetype i = negative ? 1 : 0;
    if (i == n)
        return std::nullopt;
    qint32 value = 0;
    for (; i < n; ++i) {
        const char16_t ch = text[i].unicode();
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        value = value * 10 + (ch - u'0');
    }
    return negative ? -value : value;
}

} // namespace

QString readingColumnTitle(ReadingColumn column) {
    switch (column) {
    case ReadingColumn::Number:
        return QStringLiteral("#");
    case ReadingColumn::Time:
        return QStringLiteral("Time");
    case ReadingColumn::Share:
        return QStringLiteral("%");
    case ReadingColumn::Comment:
        return QStringLiteral("Comment");
    }
    return {};
}

QString withoutStandingMark(const QString& timeText) {
    if (!timeText.isEmpty() && timeText.front().toUpper() == QLatin1Char('S'))
        return timeText.mid(1);
    return timeText;
}

Session::Session(QObject* parent) : QObject(parent) {}

QString Session::zeroShareText() {
    return cfx::formatFixed(0.0);
}

QString Session::text(int n, ReadingColumn column) const {
    if (!isValidRecord(n))
        return {};
    const Reading& r = reading(n);
    switch (column) {
    case ReadingColumn::Number:
        return r.number;
    case ReadingColumn::Time:
        return r.timeText;
    case ReadingColumn::Share:
        return shareText(n);
    case ReadingColumn::Comment:
        return r.comment;
    }
    return {};
}

QString Session::shareText(int n) const {
    if (n > m_shareRows)
        return reading(n).storedShare;
    // A newest reading of 0 cs has no share to divide by; every record shows 0.00 then.
    if (m_shareBase == 0)
        return zeroShareText();
    return cfx::formatFixed(static_cast<double>(reading(n).timeCs) / m_shareBase * 100.0);
}

int Session::firstAtOrAfter(qint32 timeCs) {
    const int last = recordCount();
    if (m_timesSorted) {
        const auto it = std::lower_bound(m_readings.cbegin(), m_readings.cend(), timeCs,
                                         [](const Reading& r, qint32 t) { return r.timeCs < t; });
        return it == m_readings.cend() ? 0 : static_cast<int>(it - m_readings.cbegin()) + 1;
    }
    // One full scan finds the record and learns whether the times are in order again.
    int first = 0;
    bool sorted = true;
    qint32 previous = std::numeric_limits<qint32>::min();
    for (int n = 1; n <= last; ++n) {
        const qint32 t = reading(n).timeCs;
        if (first == 0 && t >= timeCs)
            first = n;
        sorted = sorted && t >= previous;
        previous = t;
    }
    m_timesSorted = sorted;
    return first;
}

void Session::prune(qint32 timeCs) {
    const int first = firstAtOrAfter(timeCs);
    if (first == 0)
        return;
    m_readings.resize(first - 1);
    m_shareRows = std::min(m_shareRows, first - 1);
    Q_EMIT truncated(first - 1);
}

Session::Append Session::appendReading(qint32 timeCs, bool stoodStill, const QString& tag,
                                       bool prune, const QString& clockText) {
    if (prune)
        this->prune(timeCs);
    if (recordCount() >= kMaxRecords)
        return Append::Refused;
    m_timesSorted = m_timesSorted && (m_readings.isEmpty() || m_readings.last().timeCs <= timeCs);
    Reading r;
    r.timeCs = timeCs;
    r.stoodStill = stoodStill;
    r.tag = tag;
    r.timeText = stoodStill ? QLatin1Char('S') + clockText : clockText;
    r.number = QString::number(recordCount() + 1);
    r.timeCsText = QString::number(timeCs);
    r.timeValue = timeCs;
    m_readings.append(std::move(r));
    Q_EMIT appended(recordCount());
    return Append::Appended;
}

void Session::refreshReadings() {
    const int last = recordCount();
    m_shareRows = last;
    m_shareBase = last > 0 ? reading(last).timeCs : 0;
    Q_EMIT refreshed();
}

void Session::clear(bool forReset) {
    Q_EMIT aboutToClear();
    m_stampPending = true;
    m_timesSorted = true;
    m_readings.clear();
    m_shareRows = 0;
    Q_EMIT cleared(forReset);
}

void Session::clearReport() {
    clear(false);
}

void Session::clearReportForReset() {
    clear(true);
}

bool Session::include(int n) {
    return setExcluded(n, false);
}

bool Session::exclude(int n) {
    return setExcluded(n, true);
}

bool Session::setExcluded(int n, bool excluded) {
    if (!isValidRecord(n))
        return false;
    m_readings[n - 1].excluded = excluded;
    Q_EMIT readingChanged(n);
    return true;
}

bool Session::addComment(int n, const QString& comment) {
    if (!isValidRecord(n))
        return false;
    m_readings[n - 1].comment = comment;
    Q_EMIT readingChanged(n);
    return true;
}

void Session::rerenderTimeTexts(int eventsPerSec) {
    rerenderTimeTexts(eventsPerSec, recordCount());
}

void Session::rerenderTimeTexts(int eventsPerSec, int upTo) {
    const int last = std::clamp(upTo, 0, recordCount());
    for (int i = 0; i < last; ++i) {
        Reading& r = m_readings[i];
        r.timeText = cfx::rerenderReadingText(r.timeText, r.tag, eventsPerSec);
    }
    if (last > 0)
        Q_EMIT timeTextsChanged();
}

Session::Append Session::addLoadedReading(const QString& number, const QString& timeText,
                                          const QString& share, const QString& comment,
                                          const QString& tag, const QString& timeCsText) {
    if (recordCount() >= kMaxRecords)
        return Append::Refused;
    Reading r;
    const std::optional<qint32> plain = plainInteger(timeCsText);
    r.timeValue = plain ? *plain : cfx::numericValue(timeCsText);
    r.timeCs = plain ? *plain : cfx::roundHalfEvenToInt32(r.timeValue);
    r.stoodStill = timeText.startsWith(QLatin1Char('S'));
    r.tag = tag;
    r.comment = comment;
    r.timeText = timeText;
    r.number = number;
    r.timeCsText = timeCsText;
    r.storedShare = share;
    m_timesSorted = m_timesSorted && (m_readings.isEmpty() || m_readings.last().timeCs <= r.timeCs);
    m_readings.append(std::move(r));
    return Append::Appended;
}

bool Session::restoreReading(int n, const QString& number, const QString& timeText,
                             const QString& tag, const QString& timeCsText, const QString& share) {
    if (n < 1 || n > recordCount() + 1 || n > kMaxRecords)
        return false;
    if (n <= recordCount()) {
        m_readings.resize(n - 1);
        m_shareRows = std::min(m_shareRows, n - 1);
        Q_EMIT truncated(n - 1);
    }
    addLoadedReading(number, timeText, share, QString(), tag, timeCsText);
    Q_EMIT appended(n);
    return true;
}

void Session::finishLoading() {
    Q_EMIT loaded();
}

} // namespace cfx
