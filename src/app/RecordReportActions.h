#pragma once

#include "core/io/DocxWriter.h"
#include "core/io/RecordReports.h"

#include <QString>

class QWidget;

namespace cfx {

class DocumentOpener;
class RecordTable;

// What the rate and speed windows' report buttons do, with the messages the user sees.

// "TextFile": writes the readable report and the raw file into the folder, stamped with the
// current date and time. A file that cannot be written is named, with the reason, in a message
// box over the window; written, a message names them and the folder and offers to open it.
// Returns whether both files were written.
bool writeRecordFilesFor(QWidget* window, DocumentOpener& opener, const QString& folder,
                         const RecordTable& grid, const RecordReportKind& kind);

// "Word Report": builds the document from the records and hands it to the opener
// (openDocumentFor).
void openRecordDocumentFor(QWidget* window, DocumentOpener& opener, const RecordTable& grid,
                           const RecordReportKind& kind);

// Writes the document into the opener's folder and opens it. When it was written but could not
// be opened, a message over the window says where it is and offers to open the folder; when it
// could not be written, why.
void openDocumentFor(QWidget* window, DocumentOpener& opener, const docx::Document& doc,
                     const QString& name);

// Opens the folder in the file manager, or says over the window that nothing could.
void openFolderFor(QWidget* window, DocumentOpener& opener, const QString& folder);

} // namespace cfx
