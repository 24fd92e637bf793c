#pragma once

#include "core/Session.h"
#include "core/io/LineFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

#include <array>

namespace cfx {

// A stopped timing session as kept in a ".CFX" file: one value per line, CR LF after every line.
//   1      resolution text, as shown in the resolution box
//   2      accumulated centiseconds (the clock's base)
//   3      session stamp
//   4-11   the eight digits of the large display
//   12     "1" when readings follow, else "0"
//   13...  six lines per reading: results columns 0-3, then reference columns 0-1
// Exclusion marks are not stored: a reopened session has every reading included.

inline constexpr int kSessionHeaderLines = 12;
inline constexpr int kSessionLinesPerReading = 6;
// No more readings than the report holds.
inline constexpr int kMaxSessionReadings = Session::kMaxRecords;
// Far above any real session (30,000 readings take about 3 MB, the most the report
// holds about 10 MB); guards against reading a huge
// or endless file into memory.
inline constexpr qint64 kMaxSessionFileBytes = 64LL * 1024 * 1024;
// No value of a session is that long (a comment typed in the report is a line); a longer line
// would only freeze the program while it is read.
inline constexpr qsizetype kMaxSessionLineBytes = 64 * 1024;
// The clock rolls over at 100 hours, so no saved session holds more.
inline constexpr qint32 kMaxSessionBaseCs = 36'000'000;

struct SessionReading {
    std::array<QString, 4> results;   // number, time text, share, comment
    std::array<QString, 2> reference; // sub-second source text, time in centiseconds

    // Taken while the clock stood still: its time text begins with "S".
    bool stoodStill() const;
    bool operator==(const SessionReading&) const = default;
};

struct SessionData {
    QString resolution;
    qint32 baseCs = 0;
    QString stamp;
    std::array<int, 8> ledValues{};
    QVector<SessionReading> readings;

    bool operator==(const SessionData&) const = default;
};

// The file's lines. Line breaks inside a value would shift every later line, so they are
// written as blanks.
QStringList sessionLines(const SessionData& session);

// Writes the session through a temporary file renamed into place; an existing file is replaced.
FileResult writeSession(const QString& path, const SessionData& session);

// Reads the lines into `session`. Lines past the end of the file count as empty text; readings
// are read only when line 12 has the numeric value 1, their count being (lines - 12) / 6 rounded
// half to even. Fails, leaving `session` untouched, when the values cannot belong to a session
// the stopwatch can hold; `error` then says why.
bool parseSession(const QStringList& lines, SessionData& session, QString& error);

// decodeLines (UTF-8, stray bytes as Windows-1252) followed by parseSession; a file of more
// lines than any session has, or with a line longer than kMaxSessionLineBytes, is refused as
// it is read.
bool parseSessionBytes(const QByteArray& bytes, SessionData& session, QString& error);

// Reads and checks the whole file. Only a regular file of reasonable size is read, so a pipe or
// a device cannot block or exhaust the program. On failure `session` is untouched and `error`
// says why.
bool readSession(const QString& path, SessionData& session, QString& error);

} // namespace cfx
