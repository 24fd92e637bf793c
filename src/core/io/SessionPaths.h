#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace cfx {

// Paths and listings behind the session file dialogs. Folders use "/" as the separator.

// The extension every session file carries, written in upper case.
inline const QString kSessionExtension = QStringLiteral(".CFX");

// Folder and name joined by one "/" (none added when the folder already ends with one, as the
// root does). A name that is itself an absolute path stands on its own.
QString joinFolder(const QString& folder, const QString& name);

// The path the open dialog hands on: the name as typed, in the folder.
QString openDialogPath(const QString& folder, const QString& name);

// The path the save dialog hands on: a final ".cfx" in any case becomes ".CFX"; any other name
// (also one with another extension) gets ".CFX" appended.
QString saveDialogPath(const QString& folder, const QString& name);

// A name the "*.CFX" file list shows: ending in ".cfx" in any case.
bool isSessionFileName(const QString& name);

// Session files of a folder, sorted by name ignoring case. Empty when the folder cannot be read.
QStringList sessionFilesIn(const QString& folder);

// Visible subfolders of a folder, sorted by name ignoring case.
QStringList subfoldersOf(const QString& folder);

// The folders from the root down to `folder` itself, each as a full path ("/", "/home", ...).
QStringList folderChain(const QString& folder);

struct Volume {
    QString rootPath;
    QString label; // volume name, may be empty
};

// Mounted volumes a user keeps files on, "/" first, then by path; system mounts (/proc, /sys,
// /dev, /run except removable media, /snap, /boot) are left out.
QVector<Volume> userVolumes();
bool isUserVolumeRoot(const QString& rootPath);

// The volume among `roots` that holds `folder`: the longest root that is a prefix of it.
QString volumeRootOf(const QString& folder, const QStringList& roots);

} // namespace cfx
