#pragma once

#include "core/io/LineFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include <variant>

class QIODevice;

// A small writer of word-processing documents in the Office Open XML format (.docx): paragraphs
// of formatted runs and simple tables, which is all the program's reports need.
namespace cfx::docx {

// A stretch of text with one formatting. A tab in the text becomes a tab of the document and a
// line feed a line break; other control characters cannot be stored in the format and are dropped.
struct Run {
    QString text;
    bool bold = false;
    double sizePt = 0; // 0: the document's default size
};

struct Paragraph {
    QVector<Run> runs;
    bool title = false; // in the document's "Title" style, which outlines and navigators list
};

// A table of text cells. The first row is the header: bold, shaded and repeated at the top of
// every page. The table has single borders and fits its columns to the content, except those
// given a fixed width.
struct Table {
    QVector<QStringList> rows;     // short rows are padded with empty cells
    QVector<double> fixedWidthsPt; // per column; 0 or absent: sized to the content
    double sizePt = 0;             // 0: the document's default size
    QVector<bool> shadedRows;      // per row after the header: shaded to set it apart

    int columnCount() const;
};

using Block = std::variant<Paragraph, Table>;

enum class PaperSize { A4, Letter };

// The document properties a file manager or word processor shows; written when a title is set.
struct Properties {
    QString title;
    QString creator;
    QDateTime created;
};

struct Document {
    QString font = QStringLiteral("Arial");
    double sizePt = 12;
    PaperSize paper = PaperSize::A4;
    QVector<Block> blocks;
    Properties properties;

    // Appends a paragraph of the given runs (none: an empty paragraph).
    void paragraph(QVector<Run> runs = {});
    void table(Table t);
};

// Letter for the locales that use it (the United States and its neighbours), A4 elsewhere.
PaperSize paperForLocale();

// The widths in points the writer gives each column of the table on the document's page.
QVector<double> columnWidthsPt(const Document& doc, const Table& table);

// The package parts, for tests and diagnostics.
QByteArray documentXml(const Document& doc);
QByteArray stylesXml(const Document& doc);
QByteArray corePropertiesXml(const Properties& properties);

// The whole .docx package. On failure returns an empty array and sets error.
QByteArray packageBytes(const Document& doc, QString* error = nullptr);

// Writes the package to a file, replacing it only once the whole document is written.
FileResult writeDocx(const QString& path, const Document& doc);

} // namespace cfx::docx
