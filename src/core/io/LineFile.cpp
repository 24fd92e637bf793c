#include "core/io/LineFile.h"

#include "core/io/SafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace cfx {

QByteArray crlfBytes(const QStringList& lines) {
    QByteArray out;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    out.reserve(size);
    for (const QString& line : lines) {
        out += line.toUtf8();
        out += "\r\n";
    }
    return out;
}

FileResult writeLines(const QString& path, const QStringList& lines) {
    return writeFileBytes(path, crlfBytes(lines));
}

namespace {

// One byte as Windows-1252: 0x80..0x9F differ from Latin-1; every other byte is its code point.
QChar windows1252(unsigned char b) {
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return (b >= 0x80 && b <= 0x9F) ? QChar(high[b - 0x80]) : QChar(b);
}

// The length of the valid UTF-8 sequence at p (at most `left` bytes), or 0 when the byte there
// starts none: overlong forms, surrogates and code points past U+10FFFF are not valid.
int utf8SequenceAt(const unsigned char* p, qsizetype left, char32_t& code) {
    const unsigned char b = p[0];
    int length = 0;
    char32_t min = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        code = b & 0x1F;
        min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        code = b & 0x0F;
        min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        code = b & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

QString decodeLine(const char* data, qsizetype size) {
    // A U+FEFF at the start of a line is text (the file's own mark is skipped by decodeLines);
    // dropping it would eat a character on every read.
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    if (std::all_of(p, p + size, [](unsigned char b) { return b < 0x80; }))
        return QString::fromLatin1(data, size);
    QString text;
    text.reserve(size);
    qsizetype i = 0;
    while (i < size) {
        if (p[i] < 0x80) {
            text += QChar(p[i++]);
            continue;
        }
        char32_t code = 0;
        if (const int length = utf8SequenceAt(p + i, size - i, code)) {
            if (QChar::requiresSurrogates(code)) {
                text += QChar(QChar::highSurrogate(code));
                text += QChar(QChar::lowSurrogate(code));
            } else {
                text += QChar(static_cast<char16_t>(code));
            }
            i += length;
        } else {
            text += windows1252(p[i++]);
        }
    }
    return text;
}

} // namespace

QString csvQuoted(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString decodeWindows1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes)
        out += windows1252(static_cast<unsigned char>(ch));
    return out;
}

QStringList decodeLines(const QByteArray& bytes) {
    return decodeLines(bytes, LineLimits{}).lines;
}

DecodedLines decodeLines(const QByteArray& bytes, const LineLimits& limits) {
    DecodedLines out;
    const char* data = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    // A UTF-8 byte-order mark at the start is not part of the first line.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        start = 3;
    auto take = [&](qsizetype end) {
        if (limits.maxLines >= 0 && out.lines.size() >= limits.maxLines) {
            out.tooManyLines = true;
            return false;
        }
        if (limits.maxLineBytes >= 0 && end - start > limits.maxLineBytes) {
            out.longLine = out.lines.size() + 1;
            return false;
        }
        out.lines << decodeLine(data + start, end - start);
        return true;
    };
    for (qsizetype i = start; i < n; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        if (!take(i))
            return out;
        if (c == '\r' && i + 1 < n && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        take(n);
    return out;
}

bool readAtMost(QIODevice& device, qint64 maxBytes, QByteArray& out) {
    constexpr qint64 kPiece = 64 * 1024;
    out.clear();
    // A file says its size: one buffer of that size, not a chain of ever larger copies.
    if (!device.isSequential())
        out.reserve(std::min(device.size(), maxBytes) + 1);
    while (out.size() <= maxBytes) {
        const QByteArray piece = device.read(std::min(kPiece, maxBytes + 1 - out.size()));
        if (piece.isEmpty())
            break;
        out += piece;
    }
    return out.size() <= maxBytes;
}

bool readLines(const QString& path, QStringList& lines, QString& error, qint64 maxBytes) {
    // Asked before opening: opening a FIFO waits for a writer, and a device never ends.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        error = QStringLiteral("It is not a regular file.");
        return false;
    }
    if (info.size() > maxBytes) {
        error = QStringLiteral("It is too large (%1 bytes).").arg(info.size());
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    // The file may have grown since it was measured.
    QByteArray bytes;
    const bool whole = readAtMost(file, maxBytes, bytes);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    if (!whole) {
        error = QStringLiteral("It is too large.");
        return false;
    }
    lines = decodeLines(bytes);
    error.clear();
    return true;
}

} // namespace cfx
