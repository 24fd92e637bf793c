#include "core/io/SessionPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cfx;

TEST(SessionPaths, SaveAppendsOrNormalisesTheExtension) {
    EXPECT_EQ(saveDialogPath("/home/ann", "run"), "/home/ann/run.CFX");
    EXPECT_EQ(saveDialogPath("/home/ann", "run.cfx"), "/home/ann/run.CFX");
    EXPECT_EQ(saveDialogPath("/home/ann", "run.Cfx"), "/home/ann/run.CFX");
    EXPECT_EQ(saveDialogPath("/home/ann", "run.CFX"), "/home/ann/run.CFX");
    EXPECT_EQ(saveDialogPath("/home/ann", "name.txt"), "/home/ann/name.txt.CFX");
    EXPECT_EQ(saveDialogPath("/home/ann", "a.cfx.cfx"), "/home/ann/a.cfx.CFX");
    EXPECT_EQ(saveDialogPath("/home/ann", "cfx"), "/home/ann/cfx.CFX");
    EXPECT_EQ(saveDialogPath("/home/ann/", "run"), "/home/ann/run.CFX");
}

TEST(SessionPaths, OneSeparatorAlsoAtTheRoot) {
    EXPECT_EQ(saveDialogPath("/", "run"), "/run.CFX");
    EXPECT_EQ(openDialogPath("/", "run.CFX"), "/run.CFX");
    // The open dialog passes a typed name on as it is, extension or not.
    EXPECT_EQ(openDialogPath("/media/usb", "typed name"), "/media/usb/typed name");
    // A typed absolute path is not put below the folder.
    EXPECT_EQ(openDialogPath("/media/usb", "/tmp/x.CFX"), "/tmp/x.CFX");
    EXPECT_EQ(saveDialogPath("/media/usb", "/tmp/x"), "/tmp/x.CFX");
}

TEST(SessionPaths, ListsSessionFilesInAnyCaseAndOnlyThem) {
    QTemporaryDir dir;
    for (const char* name : {"b.cfx", "a.CFX", "C.Cfx", "d.txt", "e.CFX.bak", "CFX", ".CFX.tmp"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.CFX"));
    EXPECT_EQ(sessionFilesIn(dir.path()), (QStringList{"a.CFX", "b.cfx", "C.Cfx"}));
    EXPECT_TRUE(isSessionFileName("x.cFx"));
    EXPECT_FALSE(isSessionFileName("x.cfx.txt"));
    EXPECT_EQ(sessionFilesIn(dir.filePath("missing")), QStringList{});
}

TEST(SessionPaths, FolderListingAndChain) {
    QTemporaryDir dir;
    QDir d(dir.path());
    ASSERT_TRUE(d.mkdir("beta"));
    ASSERT_TRUE(d.mkdir("Alpha"));
    ASSERT_TRUE(d.mkdir(".hidden"));
    QFile f(d.filePath("file.CFX"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    EXPECT_EQ(subfoldersOf(dir.path()), (QStringList{"Alpha", "beta"}));

    EXPECT_EQ(folderChain("/"), QStringList{"/"});
    EXPECT_EQ(folderChain("/home/ann/"), (QStringList{"/", "/home", "/home/ann"}));
    EXPECT_EQ(folderChain("/home/./ann/../bob"), (QStringList{"/", "/home", "/home/bob"}));
}

TEST(SessionPaths, VolumesForUsersOnly) {
    EXPECT_TRUE(isUserVolumeRoot("/"));
    EXPECT_TRUE(isUserVolumeRoot("/home"));
    EXPECT_TRUE(isUserVolumeRoot("/media/ann/STICK"));
    EXPECT_TRUE(isUserVolumeRoot("/run/media/ann/STICK"));
    EXPECT_FALSE(isUserVolumeRoot("/run/user/1000"));
    EXPECT_FALSE(isUserVolumeRoot("/proc"));
    EXPECT_FALSE(isUserVolumeRoot("/dev/shm"));
    EXPECT_FALSE(isUserVolumeRoot("/snap/core/1"));
    EXPECT_TRUE(isUserVolumeRoot("/snapshots"));

    const QVector<Volume> volumes = userVolumes();
    ASSERT_FALSE(volumes.isEmpty());
    EXPECT_EQ(volumes.first().rootPath, "/");

    const QStringList roots{"/", "/home", "/home/ann/mnt"};
    EXPECT_EQ(volumeRootOf("/home/ann", roots), "/home");
    EXPECT_EQ(volumeRootOf("/home", roots), "/home");
    EXPECT_EQ(volumeRootOf("/homework", roots), "/");
    EXPECT_EQ(volumeRootOf("/home/ann/mnt/x", roots), "/home/ann/mnt");
}
