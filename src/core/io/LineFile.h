#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

namespace cfx {

// Text files of the program: whole lines, UTF-8, CR LF after every line.

struct FileResult {
    bool ok = true;
    QString error; // why it failed, for a message box; empty on success
};

// The bytes of the lines, each followed by CR LF. A line may itself hold CR LF.
QByteArray crlfBytes(const QStringList& lines);

// Writes the lines to a temporary file beside the target and renames it over the target
// (writeFileBytes), so a failure never leaves a truncated or half-written file behind.
FileResult writeLines(const QString& path, const QStringList& lines);

// How much of a file a reader takes: a file past either limit is refused as it is read, before
// it can fill the memory.
struct LineLimits {
    qsizetype maxLines = -1;     // -1: any number
    qsizetype maxLineBytes = -1; // -1: any length
};

struct DecodedLines {
    QStringList lines;
    bool tooManyLines = false; // stopped after maxLines + 1 lines
    qsizetype longLine = 0;    // number of the first line over maxLineBytes; 0 when none
    bool complete() const { return !tooManyLines && longLine == 0; }
};

// Splits file bytes into lines at CR LF, LF or a lone CR. A final line end adds no empty line.
// Each line is decoded as UTF-8; a byte that is no part of a valid UTF-8 sequence is read as
// Windows-1252, so files written on older systems still read correctly.
QStringList decodeLines(const QByteArray& bytes);
DecodedLines decodeLines(const QByteArray& bytes, const LineLimits& limits);

// Reads the rest of an open file, in pieces, so memory grows with the file and not with the
// limit; false when it holds more than maxBytes (out then holds maxBytes + 1 of them).
bool readAtMost(QIODevice& device, qint64 maxBytes, QByteArray& out);

// Reads a whole regular file of at most maxBytes into lines (decodeLines). A FIFO, a device or
// a larger file is refused without waiting or reading on. On failure returns false and sets
// error.
inline constexpr qint64 kMaxLineFileBytes = 1024 * 1024;
bool readLines(const QString& path, QStringList& lines, QString& error,
               qint64 maxBytes = kMaxLineFileBytes);

// A field of a comma-separated line between double quotes, a quote inside it doubled, so that
// the line parses whatever the text holds.
QString csvQuoted(const QString& text);

// Windows-1252 decoding of a byte string (undefined bytes map to the same code point).
QString decodeWindows1252(const QByteArray& bytes);

} // namespace cfx
