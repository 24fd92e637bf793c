#include "app/RecordReportActions.h"

#include "core/NumberText.h"
#include "platform/DocumentOpener.h"

#include <QDateTime>
#include <QMessageBox>

namespace cfx {

bool writeRecordFilesFor(QWidget* window, const QString& folder, const RecordTable& grid,
                         const RecordReportKind& kind) {
    const RecordFilesResult result =
        writeRecordFiles(folder, grid, kind, generalDate(QDateTime::currentDateTime()));
    if (!result.ok) {
        QMessageBox box(QMessageBox::Critical, kind.wordTitle, result.message(), QMessageBox::Ok,
                        window);
        box.setObjectName(QStringLiteral("ReportFileFailure"));
        box.exec();
    }
    return result.ok;
}

bool openRecordDocumentFor(QWidget* window, DocumentOpener& opener, const RecordTable& grid,
                           const RecordReportKind& kind) {
    const docx::Document doc =
        recordWordDocument(grid, kind, generalDate(QDateTime::currentDateTime()));
    return opener.open(doc, kind.wordTitle, window);
}

} // namespace cfx
