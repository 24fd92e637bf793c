#include "app/RecordReportActions.h"

#include "core/NumberText.h"
#include "platform/DocumentOpener.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace cfx {

namespace {

// These texts belong to the namespace's context, where the translation tools file them.
QString tr(const char* text) {
    return QCoreApplication::translate("cfx", text);
}

// An information box with "Open Folder" besides OK.
void offerFolder(QWidget* window, DocumentOpener& opener, const QString& title, const QString& text,
                 const QString& folder, QMessageBox::Icon icon, const char* objectName) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, window);
    box.setObjectName(QString::fromLatin1(objectName));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPushButton* open = box.addButton(tr("Open Folder"), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (box.clickedButton() == open)
        openFolderFor(window, opener, folder);
}

} // namespace

bool writeRecordFilesFor(QWidget* window, DocumentOpener& opener, const QString& folder,
                         const RecordTable& grid, const RecordReportKind& kind) {
    const RecordFilesResult result =
        writeRecordFiles(folder, grid, kind, generalDate(QDateTime::currentDateTime()));
    if (!result.ok) {
        QMessageBox box(QMessageBox::Critical, kind.wordTitle, result.message(), QMessageBox::Ok,
                        window);
        box.setObjectName(QStringLiteral("ReportFileFailure"));
        box.exec();
        return false;
    }
    offerFolder(window, opener, kind.wordTitle,
                tr("Written: %1 and %2 in %3")
                    .arg(kind.textFile, kind.rawFile, QDir::toNativeSeparators(folder)),
                folder, QMessageBox::Information, "ReportFilesWritten");
    return true;
}

void openRecordDocumentFor(QWidget* window, DocumentOpener& opener, const RecordTable& grid,
                           const RecordReportKind& kind) {
    const docx::Document doc =
        recordWordDocument(grid, kind, generalDate(QDateTime::currentDateTime()));
    openDocumentFor(window, opener, doc, kind.wordTitle);
}

void openDocumentFor(QWidget* window, DocumentOpener& opener, const docx::Document& doc,
                     const QString& name) {
    const DocumentOpener::Result result = opener.open(doc, name);
    switch (result.outcome) {
    case DocumentOpener::Result::Outcome::Opened:
        return;
    case DocumentOpener::Result::Outcome::NotOpened:
        offerFolder(window, opener, name,
                    tr("The report was written to \"%1\", but no program could open it: this "
                       "desktop has no application set up for Word documents (.docx).")
                        .arg(QDir::toNativeSeparators(result.path)),
                    QFileInfo(result.path).absolutePath(), QMessageBox::Warning,
                    "DocumentNotOpened");
        return;
    case DocumentOpener::Result::Outcome::NotWritten: {
        QMessageBox box(QMessageBox::Critical, DocumentOpener::kFailureTitle,
                        tr("The report could not be written into \"%1\": %2")
                            .arg(QDir::toNativeSeparators(opener.folder()), result.error),
                        QMessageBox::Ok, window);
        box.setObjectName(QStringLiteral("DocumentFailure"));
        box.exec();
        return;
    }
    }
}

void openFolderFor(QWidget* window, DocumentOpener& opener, const QString& folder) {
    if (opener.openFolder(folder))
        return;
    QMessageBox box(QMessageBox::Warning, tr("Open Folder"),
                    tr("Nothing could open the folder \"%1\": this desktop has no file manager "
                       "set up for folders. The files are there.")
                        .arg(QDir::toNativeSeparators(folder)),
                    QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("FolderNotOpened"));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

} // namespace cfx
