#include "core/TimeFormat.h"

#include "core/NumberText.h"

#include <algorithm>
#include <limits>

namespace cfx {

TimeFields timeFields(qint32 cs) {
    const qint32 total = cs / 100;
    return {twoDigits(total / 3600), twoDigits((total % 3600) / 60), twoDigits(total % 60),
            twoDigits(cs % 100)};
}

QString subSecText(int centiRemainder, int eventsPerSec) {
    const qint64 events = (static_cast<qint64>(centiRemainder) * eventsPerSec) / 100;
    const QString text = twoDigits(events);
    return text.size() > 2 ? text.left(2) : text;
}

QString panelTimeText(const TimeFields& f) {
    return f.hour + QLatin1Char(':') + f.minute + QLatin1Char(':') + f.second + QLatin1Char('.') +
           f.centi;
}

QString readingTimeText(const QString& hour, const QString& minute, const QString& second,
                        const QString& subSec, bool stoodStill) {
    QString text =
        hour + QLatin1Char(':') + minute + QLatin1Char(':') + second + QLatin1Char('.') + subSec;
    return stoodStill ? QLatin1Char('S') + text : text;
}

QString rerenderReadingText(const QString& timeText, const QString& tag, int eventsPerSec) {
    const QString field =
        tag == QLatin1String("00")
            ? QStringLiteral("00")
            : subSecText(static_cast<int>(roundHalfEven(numericValue(tag))), eventsPerSec);
    const bool marked = !timeText.isEmpty() && !timeText.front().isDigit();
    return timeText.left(marked ? 9 : 8) + QLatin1Char('.') + field;
}

QString formatCs(qint32 cs, int eventsPerSec) {
    // A negative count (readings out of time order) is its magnitude with a minus sign.
    if (cs < 0) {
        const qint32 magnitude =
            cs == std::numeric_limits<qint32>::min() ? std::numeric_limits<qint32>::max() : -cs;
        return QLatin1Char('-') + formatCs(magnitude, eventsPerSec);
    }
    // Unlike a reading's field, a gap's sub-second field is not cut to two digits.
    const TimeFields f = timeFields(cs);
    const QString ff = twoDigits((static_cast<qint64>(cs % 100) * eventsPerSec) / 100);
    return readingTimeText(f.hour, f.minute, f.second, ff, false);
}

std::array<int, 8> displayDigits(const TimeFields& f, const QString& subSec) {
    auto digit = [](const QString& s, int i) {
        return i < s.size() && s[i].isDigit() ? s[i].digitValue() : 0;
    };
    // The hour field may have three digits past 99 hours; the display shows its last two.
    const QString hour = f.hour.right(2);
    return {digit(hour, 0),     digit(hour, 1),     digit(f.minute, 0), digit(f.minute, 1),
            digit(f.second, 0), digit(f.second, 1), digit(subSec, 0),   digit(subSec, 1)};
}

qint16 eventsPerSecOf(const QString& resolutionText) {
    const qint64 value = roundHalfEven(numericValue(resolutionText));
    return static_cast<qint16>(std::clamp<qint64>(value, 0, 32767));
}

} // namespace cfx
