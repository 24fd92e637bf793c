#pragma once

#include "core/io/DocxWriter.h"
#include "core/io/LineFile.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace cfx {

class RecordTable;

// The reports of the rate and speed windows: a readable text file, a raw comma-separated file
// and a word-processor document, all built from the window's records. The two windows differ only
// in the values below.

struct RecordReportKind {
    QString textFile;      // the readable report's file name
    QString rawFile;       // the raw file's name
    QString textTitle;     // first line of the readable report, before the date
    QString wordTitle;     // title paragraph of the document
    QStringList labels;    // per column, put before the cell's text in the readable report
    int commentColumn = 0; // quoted in the raw file; left out of the readable report when empty
    QVector<double> wordWidthsPt; // per column of the document's table; 0: fitted to the content

    int columns() const { return static_cast<int>(labels.size()); }

    static const RecordReportKind& rate();
    static const RecordReportKind& speed();
};

// The lines of the readable report; createdAt is the general date of the moment of writing.
QStringList recordReportLines(const RecordTable& records, const RecordReportKind& kind,
                              const QString& createdAt);

// The lines of the raw file: the column titles, then every record, each text followed by a
// comma, the comments of the records between double quotes.
QStringList recordRawLines(const RecordTable& records, const RecordReportKind& kind);

struct RecordFilesResult {
    bool ok = true;
    QString path;  // the file that could not be written
    QString error; // why
    // For a message box: the file and the reason.
    QString message() const;
};

// Writes the readable report and then the raw file into the folder, each replacing the old file
// only once it is complete. Stops at the first file that fails.
RecordFilesResult writeRecordFiles(const QString& folder, const RecordTable& records,
                                   const RecordReportKind& kind, const QString& createdAt);

// The document: the title, the records as a table (the titles, then one row per record) and the
// line saying when it was created.
docx::Document recordWordDocument(const RecordTable& records, const RecordReportKind& kind,
                                  const QString& createdAt);

} // namespace cfx
