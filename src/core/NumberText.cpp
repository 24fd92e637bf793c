#include "core/NumberText.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace cfx {

namespace {

QLocale numberLocale() {
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

double numericValue(const QString& text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    // A plain integer (the usual case: centisecond counts in the readings) is read directly.
    if (i == n && digits > 0 && digits <= 15) {
        qint64 value = 0;
        for (qsizetype k = i - digits; k < i; ++k)
            value = value * 10 + (text[k].unicode() - u'0');
        return text[start] == QLatin1Char('-') ? -static_cast<double>(value)
                                               : static_cast<double>(value);
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    // An exponent counts only when at least one digit follows it.
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            end = j;
        }
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    if (!ok || std::isnan(value))
        return 0.0;
    return value;
}

qint64 roundHalfEven(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double top = 9223372036854775807.0;
    if (value >= top)
        return std::numeric_limits<qint64>::max();
    if (value <= -top)
        return std::numeric_limits<qint64>::min();
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
    return static_cast<qint64>(std::nearbyint(value));
}

qint32 roundHalfEvenToInt32(double value) {
    const qint64 r = roundHalfEven(value);
    if (r > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (r < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(r);
}

QString twoDigits(qint64 value) {
    if (value < 0)
        return QLatin1Char('-') + twoDigits(-value);
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

QString formatFixed(double value) {
    // Built once: writing a report formats a share for every reading.
    static const QLocale locale = numberLocale();
    return locale.toString(value, 'f', 2);
}

QString formatHashes(double value) {
    const QLocale locale = numberLocale();
    QString text = locale.toString(value, 'f', 4);
    const QString point = locale.decimalPoint();
    const qsizetype dot = text.lastIndexOf(point);
    if (dot < 0)
        return text;
    // Keep at least one decimal, drop the trailing zeros of the other three.
    qsizetype keep = text.size();
    while (keep > dot + point.size() + 1 && text[keep - 1] == QLatin1Char('0'))
        --keep;
    text.truncate(keep);
    return text;
}

QString generalDate(const QDateTime& when) {
    const QLocale locale = QLocale::system();
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    // The long time format may carry a time-zone field ("t"); the general date has none.
    timeFormat.remove(QLatin1Char('t'));
    timeFormat = timeFormat.simplified();
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), timeFormat);
}

} // namespace cfx
