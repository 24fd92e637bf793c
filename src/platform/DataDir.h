#pragma once

#include <QString>

namespace cfx {

// Chooses and prepares the program's data folder: the first of the command line's folder, the
// environment's folder, the executable's folder (only when writable and not a folder of the
// system, as an installed program's is) and the user's data folder.
// The chosen folder is created when missing and must be writable.
struct DataDirChoice {
    QString path;  // absolute, without a trailing separator
    QString error; // non-empty when the chosen folder cannot be created or written
};

DataDirChoice chooseDataDir(const QString& fromCommandLine, const QString& fromEnvironment,
                            const QString& executableDir, const QString& userDataDir);

// A folder of the operating system (/usr/bin, /opt, /etc, ...): never the data folder, even for
// a user who may write there.
bool isSystemFolder(const QString& path);

// True when a file can be created in the folder.
bool isWritableDir(const QString& path);

} // namespace cfx
