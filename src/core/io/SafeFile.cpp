#include "core/io/SafeFile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cfx {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

int writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        data += n;
        left -= n;
    }
    return 0;
}

int openPlainFile(const QString& path, int flags, QString& error, bool* missing, unsigned mode) {
    if (missing)
        *missing = false;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                          static_cast<mode_t>(mode));
    if (fd < 0) {
        const int e = errno;
        if (missing)
            *missing = e == ENOENT;
        error = e == ELOOP ? QStringLiteral("It is a symbolic link, not a plain file.")
                           : systemReason(e);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? QStringLiteral("It is a folder, not a plain file.")
                                      : QStringLiteral("It is not a plain file.");
        ::close(fd);
        return -1;
    }
    // Reads and writes of a regular file wait as they should.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool readPlainFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString& error,
                   bool* missing) {
    const int fd = openPlainFile(path, O_RDONLY, error, missing);
    if (fd < 0)
        return false;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        error = file.errorString();
        ::close(fd);
        return false;
    }
    const bool whole = readAtMost(file, maxBytes, bytes);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    if (!whole) {
        error = QStringLiteral("It is too large (over %1 bytes).").arg(maxBytes);
        return false;
    }
    return true;
}

namespace {

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
    if (const int failed = writeAll(fd, bytes)) {
        error = systemReason(failed);
        ::close(fd);
        return false;
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
    // Every file but the last keeps its old contents under a second name (a hard link) until all
    // are in place; a file with a backup existed before.
    QList<QByteArray> backups(files.size());
    auto fail = [&](qsizetype i, const QString& error) {
        for (const QByteArray& backup : backups) {
            if (!backup.isEmpty())
                ::unlink(backup.constData());
        }
        for (Temporary& t : temps)
            removeTemporary(t);
        return FileSetResult{false, files[i].path, error};
    };
    for (qsizetype i = 0; i < files.size(); ++i) {
        QString error;
        if (!writeTemporary(files[i].path, files[i].bytes, temps[i], error))
            return fail(i, error);
    }
    for (qsizetype i = 0; i + 1 < files.size(); ++i) {
        const QByteArray target = QFile::encodeName(files[i].path);
        struct stat info {};
        if (::lstat(target.constData(), &info) != 0)
            continue;
        QByteArray backup = target + ".old-XXXXXX";
        const int fd = ::mkstemp(backup.data());
        if (fd >= 0)
            ::close(fd);
        const bool moved = fd >= 0 && ::rename(target.constData(), backup.constData()) == 0;
        if (!moved || ::link(backup.constData(), target.constData()) != 0) {
            // Without a way back, nothing is replaced.
            const QString error = systemReason(errno);
            if (moved)
                ::rename(backup.constData(), target.constData());
            else if (fd >= 0)
                ::unlink(backup.constData());
            return fail(i, error);
        }
        backups[i] = backup;
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
            if (backups[k].isEmpty()) {
                ::unlink(done.constData());
            } else {
                ::rename(backups[k].constData(), done.constData());
                backups[k].clear();
            }
        }
        return fail(i, error);
    }
    for (const QByteArray& backup : backups) {
        if (!backup.isEmpty())
            ::unlink(backup.constData());
    }
    return {};
}

} // namespace cfx
