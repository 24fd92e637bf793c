#include "core/io/RecordReports.h"

#include "core/RecordTable.h"
#include "core/io/LineFile.h"
#include "core/io/SafeFile.h"

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

QStringList recordReportLines(const RecordTable& records, const RecordReportKind& kind,
                              const QString& createdAt) {
    QStringList lines{kind.textTitle + createdAt, QString()};
    for (int r = 1; r <= records.count(); ++r) {
        for (int c = 0; c < kind.columns(); ++c) {
            const QString text = records.text(r, c);
            if (c == kind.commentColumn && text.isEmpty())
                continue;
            lines << kind.labels[c] + text;
        }
        lines << QString();
    }
    return lines;
}

QStringList recordRawLines(const RecordTable& records, const RecordReportKind& kind) {
    QStringList lines;
    lines.reserve(records.count() + 1);
    QString titles;
    for (int c = 0; c < kind.columns(); ++c)
        titles += records.titles().value(c) + QLatin1Char(',');
    lines << titles;
    for (int r = 1; r <= records.count(); ++r) {
        QString line;
        for (int c = 0; c < kind.columns(); ++c) {
            if (c == kind.commentColumn)
                line += csvQuoted(records.text(r, c));
            else
                line += records.text(r, c);
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

RecordFilesResult writeRecordFiles(const QString& folder, const RecordTable& records,
                                   const RecordReportKind& kind, const QString& createdAt) {
    const QDir dir(folder);
    // Both files are replaced together or neither is.
    const FileSetResult written = writeFilesTogether(
        {{dir.filePath(kind.textFile), crlfBytes(recordReportLines(records, kind, createdAt))},
         {dir.filePath(kind.rawFile), crlfBytes(recordRawLines(records, kind))}});
    if (!written.ok)
        return {false, written.path, written.error};
    return {};
}

docx::Document recordWordDocument(const RecordTable& records, const RecordReportKind& kind,
                                  const QString& createdAt) {
    docx::Document doc;
    doc.paper = docx::paperForLocale();
    doc.paragraph({{kind.wordTitle, false, 18}});
    doc.paragraph();

    // One table cell per text, so whatever a text holds (a ";" in a comment, say) stays in its
    // cell.
    docx::Table table;
    table.sizePt = 12;
    table.fixedWidthsPt = kind.wordWidthsPt;
    table.rows.reserve(records.count() + 1);
    table.rows << records.titles().mid(0, kind.columns());
    for (int r = 1; r <= records.count(); ++r) {
        QStringList cells;
        cells.reserve(kind.columns());
        for (int c = 0; c < kind.columns(); ++c)
            cells << records.text(r, c);
        table.rows << cells;
    }
    doc.table(std::move(table));

    doc.paragraph();
    doc.paragraph(
        {{QStringLiteral("Report created at"), true}, {QStringLiteral(":\t") + createdAt}});
    return doc;
}

} // namespace cfx
