#include "platform/DataDir.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace cfx {

bool isWritableDir(const QString& path) {
    if (!QFileInfo(path).isDir())
        return false;
    // Permission bits alone do not tell (root, read-only mounts); try to create a file.
    QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".chronofex-probe-XXXXXX")));
    return probe.open();
}

bool isSystemFolder(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (clean == QLatin1String("/"))
        return true;
    for (const char* top : {"/usr", "/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32", "/opt",
                            "/etc", "/var", "/boot", "/snap", "/proc", "/sys", "/dev", "/run"}) {
        const QString root = QLatin1String(top);
        if (clean == root || clean.startsWith(root + QLatin1Char('/')))
            return true;
    }
    return false;
}

namespace {

DataDirChoice prepare(const QString& dir) {
    const QString path = QDir::cleanPath(QDir(dir).absolutePath());
    if (!QDir().mkpath(path))
        return {path, QStringLiteral("The data folder %1 cannot be created.").arg(path)};
    if (!isWritableDir(path))
        return {path, QStringLiteral("The data folder %1 cannot be written.").arg(path)};
    return {path, {}};
}

} // namespace

DataDirChoice chooseDataDir(const QString& fromCommandLine, const QString& fromEnvironment,
                            const QString& executableDir, const QString& userDataDir) {
    if (!fromCommandLine.isEmpty())
        return prepare(fromCommandLine);
    if (!fromEnvironment.isEmpty())
        return prepare(fromEnvironment);
    if (!executableDir.isEmpty() && !isSystemFolder(executableDir) && isWritableDir(executableDir))
        return prepare(executableDir);
    return prepare(userDataDir);
}

} // namespace cfx
