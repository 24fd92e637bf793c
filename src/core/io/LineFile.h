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

// Writes the lines to a temporary file beside the target and renames it over the target, so a
// failure never leaves a truncated or half-written file behind.
FileResult writeLines(const QString& path, const QStringList& lines);

// Splits file bytes into lines at CR LF, LF or a lone CR. A final line end adds no empty line.
// Each line is decoded as UTF-8, or as Windows-1252 when its bytes are not valid UTF-8, so files
// written on older systems still read correctly.
QStringList decodeLines(const QByteArray& bytes);

// Reads a whole file into lines (decodeLines). On failure returns false and sets error.
bool readLines(const QString& path, QStringList& lines, QString& error);

// Windows-1252 decoding of a byte string (undefined bytes map to the same code point).
QString decodeWindows1252(const QByteArray& bytes);

} // namespace cfx
