#include "core/io/SessionFile.h"

#include "core/NumberText.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace cfx {

bool SessionReading::stoodStill() const {
    return results[1].startsWith(QLatin1Char('S'));
}

namespace {

QString oneLine(QString text) {
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
        text.replace(QLatin1String("\r\n"), QLatin1String(" "));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return text;
}

// A display digit is an Integer; values beyond its range saturate.
int ledValue(const QString& text) {
    const qint64 v = roundHalfEven(numericValue(text));
    return static_cast<int>(std::clamp<qint64>(v, std::numeric_limits<qint16>::min(),
                                               std::numeric_limits<qint16>::max()));
}

} // namespace

QStringList sessionLines(const SessionData& session) {
    QStringList lines;
    lines.reserve(kSessionHeaderLines + kSessionLinesPerReading * session.readings.size());
    lines << oneLine(session.resolution) << QString::number(session.baseCs)
          << oneLine(session.stamp);
    for (const int v : session.ledValues)
        lines << QString::number(v);
    lines << QString::fromLatin1(session.readings.isEmpty() ? "0" : "1");
    for (const SessionReading& r : session.readings) {
        for (const QString& cell : r.results)
            lines << oneLine(cell);
        for (const QString& cell : r.reference)
            lines << oneLine(cell);
    }
    return lines;
}

FileResult writeSession(const QString& path, const SessionData& session) {
    return writeLines(path, sessionLines(session));
}

bool parseSession(const QStringList& lines, SessionData& session, QString& error) {
    const qsizetype count = lines.size();
    auto line = [&](qsizetype number) { return number <= count ? lines[number - 1] : QString(); };

    SessionData s;
    s.resolution = line(1);
    // Byte-order marks before the first value are no part of it (only the first is stripped
    // when the file is decoded).
    while (s.resolution.startsWith(QChar(0xFEFF)))
        s.resolution.remove(0, 1);
    const qint64 base = roundHalfEven(numericValue(line(2)));
    if (base < 0 || base > kMaxSessionBaseCs) {
        error = QStringLiteral("Its accumulated time (line 2: \"%1\") is not a time from 0 to "
                               "100 hours.")
                    .arg(line(2).left(40));
        return false;
    }
    s.baseCs = static_cast<qint32>(base);
    s.stamp = line(3);
    for (int i = 0; i < 8; ++i)
        s.ledValues[i] = ledValue(line(4 + i));

    if (numericValue(line(12)) == 1.0) {
        const double blocks =
            static_cast<double>(count - kSessionHeaderLines) / kSessionLinesPerReading;
        const qint64 n = roundHalfEven(blocks);
        if (n > kMaxSessionReadings) {
            error = QStringLiteral("It holds %1 readings; a report holds at most %2.")
                        .arg(n)
                        .arg(kMaxSessionReadings);
            return false;
        }
        if (n > 0) {
            s.readings.resize(n);
            qsizetype next = kSessionHeaderLines + 1;
            for (SessionReading& r : s.readings) {
                for (QString& cell : r.results)
                    cell = line(next++);
                for (QString& cell : r.reference)
                    cell = line(next++);
            }
        }
    }
    session = std::move(s);
    error.clear();
    return true;
}

namespace {

// The text begins (after blanks) with a digit, or a sign or point and a digit.
bool startsWithNumber(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    if (i < t.size() && t[i] == u'.')
        ++i;
    return i < t.size() && t[i].isDigit();
}

} // namespace

bool parseSessionBytes(const QByteArray& bytes, SessionData& session, QString& error) {
    // Past this many lines the reading count rounds above the most a report holds, whatever
    // follows, so the rest is not read.
    constexpr qsizetype kEnoughLines =
        kSessionHeaderLines + kSessionLinesPerReading * qsizetype{kMaxSessionReadings} + 4;
    const DecodedLines decoded = decodeLines(bytes, {kEnoughLines, kMaxSessionLineBytes});
    if (decoded.longLine > 0) {
        error = QStringLiteral("Line %1 is longer than any value of a session (%2 bytes at most).")
                    .arg(decoded.longLine)
                    .arg(kMaxSessionLineBytes);
        return false;
    }
    if (decoded.tooManyLines && decoded.lines.size() >= kSessionHeaderLines &&
        numericValue(decoded.lines[kSessionHeaderLines - 1]) == 1.0) {
        error = QStringLiteral("It holds more than %1 readings; a report holds at most %1.")
                    .arg(kMaxSessionReadings);
        return false;
    }
    // What a session file always has: the clock's time, a number, on its second line. Any other
    // text file (a note, /etc/hostname) is refused rather than read as an empty session.
    if (decoded.lines.size() < 2 || !startsWithNumber(decoded.lines[1])) {
        error = QStringLiteral("It is not a session file: its second line holds no time.");
        return false;
    }
    return parseSession(decoded.lines, session, error);
}

bool readSession(const QString& path, SessionData& session, QString& error) {
    const QFileInfo info(path);
    auto fail = [&](const QString& why) {
        error = QStringLiteral("The session file \"%1\" cannot be opened.\n%2").arg(path, why);
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("No file name was given."));
    if (!info.exists())
        return fail(QStringLiteral("The file does not exist."));
    if (info.isDir())
        return fail(QStringLiteral("It is a folder, not a file."));
    if (!info.isFile())
        return fail(QStringLiteral("It is not a regular file."));
    if (info.size() > kMaxSessionFileBytes)
        return fail(QStringLiteral("It is too large to be a session file (%1 MB).")
                        .arg(info.size() / (1024 * 1024)));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    // The file may have grown since it was measured.
    QByteArray bytes;
    const bool whole = readAtMost(file, kMaxSessionFileBytes, bytes);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (!whole)
        return fail(QStringLiteral("It is too large to be a session file."));

    QString why;
    if (!parseSessionBytes(bytes, session, why))
        return fail(why);
    error.clear();
    return true;
}

} // namespace cfx
