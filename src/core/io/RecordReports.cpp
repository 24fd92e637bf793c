#include "core/io/RecordReports.h"

#include "core/io/SafeFile.h"

#include "core/GridModel.h"

#include <QDir>

namespace cfx {

const RecordReportKind& RecordReportKind::rate() {
    static const RecordReportKind kind{
        QStringLiteral("CFXRateResults.txt"),
        QStringLiteral("CFXRateRawCSV.txt"),
        QStringLiteral("Chronofex Rate Report created at: "),
        QStringLiteral("Chronofex Rate Report"),
        {QStringLiteral("#"), QStringLiteral("No. cycles measured: "),
         QStringLiteral("Time of Rate reading: "), QStringLiteral("Average Rate sec/cycle: "),
         QStringLiteral("Average Rate cycles/min: "), QStringLiteral("Comment: ")},
        5,
        {0, 50, 0, 60, 60, 160},
    };
    return kind;
}

const RecordReportKind& RecordReportKind::speed() {
    static const RecordReportKind kind{
        QStringLiteral("CFXSpeedResults.txt"),
        QStringLiteral("CFXSpeedRawCSV.txt"),
        QStringLiteral("Chronofex Speed Report created at: "),
        QStringLiteral("Chronofex Speed Report"),
        {QStringLiteral("#"), QStringLiteral("Speed reading taken at: "),
         QStringLiteral("Average Speed: "), QStringLiteral("Comment: ")},
        3,
        {0, 0, 0, 190},
    };
    return kind;
}

QStringList recordReportLines(const GridModel& grid, const RecordReportKind& kind,
                              const QString& createdAt) {
    QStringList lines{kind.textTitle + createdAt, QString()};
    for (int r = 1; r < grid.rows(); ++r) {
        for (int c = 0; c < kind.columns(); ++c) {
            const QString text = grid.textMatrix(r, c);
            if (c == kind.commentColumn && text.isEmpty())
                continue;
            lines << kind.labels[c] + text;
        }
        lines << QString();
    }
    return lines;
}

QStringList recordRawLines(const GridModel& grid, const RecordReportKind& kind) {
    QStringList lines;
    lines.reserve(grid.rows());
    for (int r = 0; r < grid.rows(); ++r) {
        QString line;
        for (int c = 0; c < kind.columns(); ++c) {
            if (r >= 1 && c == kind.commentColumn)
                line += QLatin1Char('"') + grid.textMatrix(r, c) + QLatin1Char('"');
            else
                line += grid.textMatrix(r, c);
            line += QLatin1Char(',');
        }
        lines << line;
    }
    return lines;
}

QString RecordFilesResult::message() const {
    return QStringLiteral("Could not write the file \"%1\".\n%2")
        .arg(QDir::toNativeSeparators(path), error);
}

RecordFilesResult writeRecordFiles(const QString& folder, const GridModel& grid,
                                   const RecordReportKind& kind, const QString& createdAt) {
    const QDir dir(folder);
    // Both files are replaced together or neither is.
    const FileSetResult written = writeFilesTogether(
        {{dir.filePath(kind.textFile), crlfBytes(recordReportLines(grid, kind, createdAt))},
         {dir.filePath(kind.rawFile), crlfBytes(recordRawLines(grid, kind))}});
    if (!written.ok)
        return {false, written.path, written.error};
    return {};
}

docx::Document recordWordDocument(const GridModel& grid, const RecordReportKind& kind,
                                  const QString& createdAt) {
    docx::Document doc;
    doc.paper = docx::paperForLocale();
    doc.paragraph({{kind.wordTitle, false, 18}});
    doc.paragraph();

    // One table row per grid row and one cell per grid cell, so whatever a cell holds (a ";"
    // in a comment, say) stays in that cell.
    docx::Table table;
    table.sizePt = 12;
    table.fixedWidthsPt = kind.wordWidthsPt;
    table.rows.reserve(grid.rows());
    for (int r = 0; r < grid.rows(); ++r) {
        QStringList cells;
        cells.reserve(kind.columns());
        for (int c = 0; c < kind.columns(); ++c)
            cells << grid.textMatrix(r, c);
        table.rows << cells;
    }
    doc.table(std::move(table));

    doc.paragraph();
    doc.paragraph(
        {{QStringLiteral("Report created at"), true}, {QStringLiteral(":\t") + createdAt}});
    return doc;
}

} // namespace cfx
