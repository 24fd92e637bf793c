#pragma once

#include "core/io/DocxWriter.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace cfx {

// Hands a finished report document to the user: writes it under a new, unique name into the
// program's data folder, beside the other reports (nothing is ever saved over), then opens it
// with the desktop's default application for .docx files, without waiting for that
// application. What happened is returned; the caller tells the user.
class DocumentOpener {
public:
    static inline const QString kDocxType =
        QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document");
    static inline const QString kFolderType = QStringLiteral("inode/directory");
    static inline const QString kFailureTitle = QStringLiteral("Could not create Report");

    // The desktop entry of the default application for a type; empty when there is none.
    using HandlerQuery = std::function<QString(const QString& mimeType)>;
    // Starts the application on the document or folder; false when it could not be started.
    using Launcher = std::function<bool(const QUrl&)>;

    // The desktop's own query (xdg-mime) and launcher (QDesktopServices), documents into folder.
    explicit DocumentOpener(QString folder);
    DocumentOpener(HandlerQuery query, Launcher launch, QString folder);

    struct Result {
        enum class Outcome {
            Opened,     // written to `path` and handed to the application
            NotOpened,  // written to `path`, but no application could open it
            NotWritten, // nothing written: `error` says why
        };
        Outcome outcome = Outcome::NotWritten;
        QString path;
        QString error;
    };

    // Writes the document as "<name> YYYY-MM-DD HH-MM.docx" (a number added for a second one of
    // the same minute) and opens it.
    Result open(const cfx::docx::Document& doc, const QString& name);
    // Opens the folder in the desktop's file manager; false when nothing can open it.
    bool openFolder(const QString& folder);

    // The document last written by open().
    QString lastPath() const { return m_lastPath; }
    QString folder() const { return m_folder; }

    // Asks xdg-mime for the default application of a type.
    static QString queryDefaultHandler(const QString& mimeType = kDocxType);

private:
    HandlerQuery m_query;
    Launcher m_launch;
    QString m_folder;
    QString m_lastPath;
};

} // namespace cfx
