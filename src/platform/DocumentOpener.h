#pragma once

#include "core/io/DocxWriter.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace cfx {

// Hands a finished report document to the user: writes it under a new, unique name in the
// program's cache folder (nothing is ever saved over) and opens it with the desktop's default
// application for .docx files, without waiting for that application.
class DocumentOpener {
public:
    static inline const QString kDocxType =
        QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document");
    static inline const QString kFailureTitle = QStringLiteral("Could not create Report");
    static inline const QString kFailureText =
        QStringLiteral("CFX could not create a Report in MS Word\n"
                       "Please ensure Word is correctly installed");

    // The desktop entry of the default application for .docx files; empty when there is none.
    using HandlerQuery = std::function<QString()>;
    // Starts the application on the document; false when it could not be started.
    using Launcher = std::function<bool(const QUrl&)>;

    // The desktop's own query (xdg-mime) and launcher (QDesktopServices), the cache folder.
    DocumentOpener();
    DocumentOpener(HandlerQuery query, Launcher launch, QString folder);

    // Writes the document as "<name> XXXXXX.docx" and opens it. When no application is
    // registered, or the document cannot be written or opened, shows the failure message over
    // parent and returns false; nothing is left behind then.
    bool open(const cfx::docx::Document& doc, const QString& name, QWidget* parent);

    // Documents are opened from the cache folder and never saved over; those older than the
    // given age are removed (at start). Returns how many were removed.
    static constexpr int kKeepDocumentsDays = 30;
    int removeOldDocuments(const QDateTime& now, int keepDays = kKeepDocumentsDays) const;

    // The document last written by open().
    QString lastPath() const { return m_lastPath; }
    QString folder() const { return m_folder; }

    // Asks xdg-mime for the default application of .docx files.
    static QString queryDefaultHandler();
    static void showFailure(QWidget* parent);

private:
    HandlerQuery m_query;
    Launcher m_launch;
    QString m_folder;
    QString m_lastPath;
};

} // namespace cfx
