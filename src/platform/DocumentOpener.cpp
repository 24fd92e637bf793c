#include "platform/DocumentOpener.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

namespace cfx {

namespace {

QString defaultFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return QDir(base).filePath(QStringLiteral("reports"));
}

} // namespace

DocumentOpener::DocumentOpener()
    : DocumentOpener(&DocumentOpener::queryDefaultHandler, &QDesktopServices::openUrl,
                     defaultFolder()) {}

DocumentOpener::DocumentOpener(HandlerQuery query, Launcher launch, QString folder)
    : m_query(std::move(query)), m_launch(std::move(launch)), m_folder(std::move(folder)) {}

QString DocumentOpener::queryDefaultHandler() {
    QProcess xdgMime;
    xdgMime.start(QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), kDocxType});
    // A short query of the desktop's settings, not the word processor itself.
    if (!xdgMime.waitForFinished(5000)) {
        xdgMime.kill();
        xdgMime.waitForFinished(1000);
        return {};
    }
    if (xdgMime.exitStatus() != QProcess::NormalExit || xdgMime.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(xdgMime.readAllStandardOutput()).trimmed();
}

void DocumentOpener::showFailure(QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, kFailureTitle, kFailureText, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("DocumentFailure"));
    box.exec();
}

bool DocumentOpener::open(const cfx::docx::Document& doc, const QString& name, QWidget* parent) {
    if (m_query().isEmpty()) {
        showFailure(parent);
        return false;
    }
    const QByteArray bytes = cfx::docx::packageBytes(doc);
    QString path;
    if (!bytes.isEmpty() && QDir().mkpath(m_folder)) {
        // Named by its kind and the minute it was made; a second one in the same minute gets a
        // number. NewOnly never replaces a document that is open in the word processor.
        const QString stem =
            name + QLatin1Char(' ') +
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm"));
        for (int copy = 1; copy <= 100 && path.isEmpty(); ++copy) {
            const QString candidate = QDir(m_folder).filePath(
                copy == 1 ? stem + QStringLiteral(".docx")
                          : QStringLiteral("%1 (%2).docx").arg(stem).arg(copy));
            QFile file(candidate);
            if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                if (file.exists())
                    continue;
                break;
            }
            const bool written = file.write(bytes) == bytes.size() && file.flush();
            file.close();
            if (written)
                path = candidate;
            else
                QFile::remove(candidate);
            break;
        }
    }
    if (path.isEmpty() || !m_launch(QUrl::fromLocalFile(path))) {
        if (!path.isEmpty())
            QFile::remove(path);
        showFailure(parent);
        return false;
    }
    m_lastPath = path;
    return true;
}

int DocumentOpener::removeOldDocuments(const QDateTime& now, int keepDays) const {
    const QDateTime oldest = now.addDays(-keepDays);
    int removed = 0;
    const QFileInfoList documents = QDir(m_folder).entryInfoList(
        {QStringLiteral("*.docx")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& document : documents) {
        if (document.lastModified() < oldest && QFile::remove(document.filePath()))
            ++removed;
    }
    return removed;
}

} // namespace cfx
