#pragma once

#include "core/io/RecordReports.h"

#include <QString>

class QWidget;

namespace cfx {

class DocumentOpener;
class RecordTable;

// What the rate and speed windows' report buttons do, with the messages the user sees.

// "TextFile": writes the readable report and the raw file into the folder, stamped with the
// current date and time. A file that cannot be written is named, with the reason, in a message
// box over the window. Returns whether both files were written.
bool writeRecordFilesFor(QWidget* window, const QString& folder, const RecordTable& grid,
                         const RecordReportKind& kind);

// "Word Report": builds the document from the records and hands it to the opener, which opens it
// for the user or shows why it could not.
bool openRecordDocumentFor(QWidget* window, DocumentOpener& opener, const RecordTable& grid,
                           const RecordReportKind& kind);

} // namespace cfx
