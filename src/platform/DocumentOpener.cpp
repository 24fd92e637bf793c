#include "platform/DocumentOpener.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace cfx {

DocumentOpener::DocumentOpener(QString folder)
    : DocumentOpener(&DocumentOpener::queryDefaultHandler, &QDesktopServices::openUrl,
                     std::move(folder)) {}

DocumentOpener::DocumentOpener(HandlerQuery query, Launcher launch, QString folder)
    : m_query(std::move(query)), m_launch(std::move(launch)), m_folder(std::move(folder)) {}

QString DocumentOpener::queryDefaultHandler(const QString& mimeType) {
    QProcess xdgMime;
    xdgMime.start(QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    // A short query of the desktop's settings, not the application itself.
    if (!xdgMime.waitForFinished(5000)) {
        xdgMime.kill();
        xdgMime.waitForFinished(1000);
        return {};
    }
    if (xdgMime.exitStatus() != QProcess::NormalExit || xdgMime.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(xdgMime.readAllStandardOutput()).trimmed();
}

DocumentOpener::Result DocumentOpener::open(const cfx::docx::Document& doc, const QString& name) {
    Result result;
    const QByteArray bytes = cfx::docx::packageBytes(doc);
    if (bytes.isEmpty()) {
        result.error = QStringLiteral("the document could not be packed");
        return result;
    }
    if (!QDir().mkpath(m_folder)) {
        result.error = QStringLiteral("the folder \"%1\" cannot be made")
                           .arg(QDir::toNativeSeparators(m_folder));
        return result;
    }
    // Named by its kind and the minute it was made; a second one in the same minute gets a
    // number. NewOnly never replaces a document that is open in the word processor.
    const QString stem = name + QLatin1Char(' ') +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm"));
    for (int copy = 1; copy <= 100 && result.path.isEmpty(); ++copy) {
        const QString candidate =
            QDir(m_folder).filePath(copy == 1 ? stem + QStringLiteral(".docx")
                                              : QStringLiteral("%1 (%2).docx").arg(stem).arg(copy));
        QFile file(candidate);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists())
                continue;
            result.error = file.errorString();
            return result;
        }
        const bool written = file.write(bytes) == bytes.size() && file.flush();
        if (!written) {
            result.error = file.errorString();
            file.close();
            QFile::remove(candidate);
            return result;
        }
        file.close();
        result.path = candidate;
    }
    if (result.path.isEmpty()) {
        result.error = QStringLiteral("every name for it is taken");
        return result;
    }
    m_lastPath = result.path;
    // Without a registered application the desktop would hand it to whatever it finds (a web
    // browser, or nothing at all while still reporting success).
    const bool opened = !m_query(kDocxType).isEmpty() && m_launch(QUrl::fromLocalFile(result.path));
    result.outcome = opened ? Result::Outcome::Opened : Result::Outcome::NotOpened;
    return result;
}

bool DocumentOpener::openFolder(const QString& folder) {
    return !m_query(kFolderType).isEmpty() && m_launch(QUrl::fromLocalFile(folder));
}

} // namespace cfx
