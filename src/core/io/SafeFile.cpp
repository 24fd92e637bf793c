#include "core/io/SafeFile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cfx {

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// A complete temporary file beside the target, not yet renamed.
struct Temporary {
    QByteArray path;
    bool made = false;
};

bool writeTemporary(const QString& target, const QByteArray& bytes, Temporary& temp,
                    QString& error) {
    temp.path = QFile::encodeName(target) + ".XXXXXX";
    const int fd = ::mkstemp(temp.path.data());
    if (fd < 0) {
        error = systemReason(errno);
        return false;
    }
    temp.made = true;
    // mkstemp makes the file private; a report gets the mode any new file of the user gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = systemReason(n < 0 ? errno : ENOSPC);
            ::close(fd);
            return false;
        }
        data += n;
        left -= n;
    }
    if (::fdatasync(fd) != 0) {
        error = systemReason(errno);
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        error = systemReason(errno);
        return false;
    }
    return true;
}

void removeTemporary(Temporary& temp) {
    if (temp.made)
        ::unlink(temp.path.constData());
    temp.made = false;
}

} // namespace

FileResult writeFileBytes(const QString& path, const QByteArray& bytes) {
    const FileSetResult result = writeFilesTogether({FileBytes{path, bytes}});
    return {result.ok, result.error};
}

FileSetResult writeFilesTogether(const QList<FileBytes>& files) {
    QList<Temporary> temps(files.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        QString error;
        if (!writeTemporary(files[i].path, files[i].bytes, temps[i], error)) {
            for (Temporary& t : temps)
                removeTemporary(t);
            return {false, files[i].path, error};
        }
    }
    // Every file but the last keeps its old contents under a second name until all are in place.
    QList<QByteArray> backups;
    QList<bool> existed;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QByteArray target = QFile::encodeName(files[i].path);
        struct stat info {};
        const bool exists = ::lstat(target.constData(), &info) == 0;
        QByteArray backup;
        if (exists && i + 1 < files.size()) {
            backup = target + ".old-XXXXXX";
            const int fd = ::mkstemp(backup.data());
            if (fd >= 0)
                ::close(fd);
            if (fd < 0 || ::rename(target.constData(), backup.constData()) != 0 ||
                ::link(backup.constData(), target.constData()) != 0) {
                // Without a way back, nothing is replaced.
                const QString error = systemReason(errno);
                if (fd >= 0 && ::access(target.constData(), F_OK) != 0)
                    ::rename(backup.constData(), target.constData());
                else if (fd >= 0)
                    ::unlink(backup.constData());
                for (qsizetype k = 0; k < i; ++k) {
                    if (!backups[k].isEmpty())
                        ::unlink(backups[k].constData());
                }
                for (Temporary& t : temps)
                    removeTemporary(t);
                return {false, files[i].path, error};
            }
        }
        backups << backup;
        existed << exists;
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QByteArray target = QFile::encodeName(files[i].path);
        if (::rename(temps[i].path.constData(), target.constData()) == 0) {
            temps[i].made = false;
            continue;
        }
        const QString error = systemReason(errno);
        // Undo the files already replaced.
        for (qsizetype k = 0; k < i; ++k) {
            const QByteArray done = QFile::encodeName(files[k].path);
            if (existed[k])
                ::rename(backups[k].constData(), done.constData());
            else
                ::unlink(done.constData());
            backups[k].clear();
        }
        for (qsizetype k = 0; k < files.size(); ++k) {
            if (!backups[k].isEmpty())
                ::unlink(backups[k].constData());
        }
        for (Temporary& t : temps)
            removeTemporary(t);
        return {false, files[i].path, error};
    }
    for (const QByteArray& backup : backups) {
        if (!backup.isEmpty())
            ::unlink(backup.constData());
    }
    return {};
}

} // namespace cfx
