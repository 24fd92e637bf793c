#pragma once

#include "core/io/LineFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace cfx {

// Writes that never leave a half-written file and never write through a symbolic link: the bytes
// go to a new temporary file beside the target, are flushed to the disk, and the temporary file
// is renamed over the target (a link standing there is replaced, never its target). A failure
// leaves the old file as it was and says the system's reason ("No space left on device").

FileResult writeFileBytes(const QString& path, const QByteArray& bytes);

struct FileBytes {
    QString path;
    QByteArray bytes;
};

struct FileSetResult {
    bool ok = true;
    QString path;  // the file that could not be written
    QString error; // the system's reason
};

// Replaces several files together: every temporary file is complete before the first rename,
// and when a later rename fails the files already replaced get their old contents back (or go,
// when they did not exist), so either all files are new or all are as they were.
FileSetResult writeFilesTogether(const QList<FileBytes>& files);

// The system's text for an errno value ("No space left on device").
QString systemReason(int error);

// Writes all the bytes to the descriptor, going on after interruptions. 0 when every byte went
// out, else the error (ENOSPC for a write that takes nothing).
int writeAll(int fd, const QByteArray& bytes);

// Opens a plain file without following a symbolic link at the path and without waiting on a
// FIFO: open(2) with O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC added to flags, then refused unless it
// is a regular file; the descriptor is returned in blocking mode. -1 on failure, with the reason
// in error and whether nothing stands at the path in missing.
int openPlainFile(const QString& path, int flags, QString& error, bool* missing = nullptr,
                  unsigned mode = 0666);

// The whole of a plain file (openPlainFile) of at most maxBytes; false with the reason otherwise.
bool readPlainFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString& error,
                   bool* missing = nullptr);

} // namespace cfx
