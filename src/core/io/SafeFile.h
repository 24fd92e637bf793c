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

} // namespace cfx
