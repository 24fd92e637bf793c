#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace cfx {

// The one place for the program's number and text rules. Every window and writer uses these
// helpers instead of its own copy, so that a rule changes in one place only.

// Numeric value of a text: the text's leading numeric part read with "." as the decimal point
// (optional leading blanks, sign, digits, fraction and exponent); 0 when there is none.
double numericValue(const QString& text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Values beyond the 64-bit range saturate.
qint64 roundHalfEven(double value);

// roundHalfEven clamped to the 32-bit signed range used for centisecond counts.
qint32 roundHalfEvenToInt32(double value);

// An integer written with at least two digits, zero-padded: 5 -> "05", 123 -> "123".
QString twoDigits(qint64 value);

// "Fixed": at least one integer digit, exactly two decimals, no grouping, the user's locale.
QString formatFixed(double value);

// "###0.0###": at least one integer digit and one to four decimals, the user's locale.
QString formatHashes(double value);

// General date: the locale's short date, a blank and its long time without the time zone.
QString generalDate(const QDateTime& when);

} // namespace cfx
