#include "core/io/SessionPaths.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>

namespace cfx {

QString joinFolder(const QString& folder, const QString& name) {
    if (name.startsWith(QLatin1Char('/')) || folder.isEmpty())
        return name;
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QString openDialogPath(const QString& folder, const QString& name) {
    return joinFolder(folder, name);
}

QString saveDialogPath(const QString& folder, const QString& name) {
    QString file = name;
    if (isSessionFileName(file))
        file.chop(kSessionExtension.size());
    return joinFolder(folder, file + kSessionExtension);
}

bool isSessionFileName(const QString& name) {
    return name.endsWith(kSessionExtension, Qt::CaseInsensitive);
}

QStringList sessionFilesIn(const QString& folder) {
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*") + kSessionExtension});
    // Without QDir::CaseSensitive the pattern matches ".cfx", ".Cfx", ... as well.
    dir.setFilter(QDir::Files | QDir::Readable);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

QStringList subfoldersOf(const QString& folder) {
    QDir dir(folder);
    dir.setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

QStringList folderChain(const QString& folder) {
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    QStringList chain{QStringLiteral("/")};
    QString path;
    for (const QString& part : clean.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        chain << path;
    }
    return chain;
}

bool isUserVolumeRoot(const QString& rootPath) {
    if (rootPath == QLatin1String("/"))
        return true;
    auto under = [&](const char* top) {
        const QString t = QLatin1String(top);
        return rootPath == t || rootPath.startsWith(t + QLatin1Char('/'));
    };
    if (under("/run"))
        return under("/run/media");
    for (const char* system : {"/proc", "/sys", "/dev", "/snap", "/boot", "/var/lib", "/tmp"})
        if (under(system))
            return false;
    return true;
}

QVector<Volume> userVolumes() {
    QVector<Volume> volumes;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        if (!info.isValid() || !info.isReady() || !isUserVolumeRoot(info.rootPath()))
            continue;
        const bool seen = std::any_of(volumes.cbegin(), volumes.cend(), [&](const Volume& v) {
            return v.rootPath == info.rootPath();
        });
        if (!seen)
            volumes.push_back({info.rootPath(), info.name()});
    }
    if (std::none_of(volumes.cbegin(), volumes.cend(),
                     [](const Volume& v) { return v.rootPath == QLatin1String("/"); }))
        volumes.push_back({QStringLiteral("/"), QString()});
    std::sort(volumes.begin(), volumes.end(), [](const Volume& a, const Volume& b) {
        if ((a.rootPath == QLatin1String("/")) != (b.rootPath == QLatin1String("/")))
            return a.rootPath == QLatin1String("/");
        return a.rootPath < b.rootPath;
    });
    return volumes;
}

QString volumeRootOf(const QString& folder, const QStringList& roots) {
    QString best;
    for (const QString& root : roots) {
        const bool holds =
            folder == root ||
            folder.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (holds && root.size() > best.size())
            best = root;
    }
    return best;
}

} // namespace cfx
