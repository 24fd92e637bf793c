#include "tests/support/ChangedSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace cfx;

TEST(SettingsStore, KeepsEverySettingAndStartsFreshWithoutAFile) {
    QTemporaryDir dir;
    const SettingsStore store(dir.filePath(QStringLiteral("config/chronofex/chronofex.conf")));
    EXPECT_EQ(store.read(), StartSettings());
    ASSERT_TRUE(store.write(everySettingChanged()));
    EXPECT_EQ(store.read(), everySettingChanged());
    // Writing again replaces, it does not merge: a place no longer known is gone.
    StartSettings fewer = everySettingChanged();
    fewer.displayPosition.reset();
    ASSERT_TRUE(store.write(fewer));
    EXPECT_EQ(store.read(), fewer);
}

TEST(SettingsStore, ADamagedValueGivesThatSettingsFirstRunValue) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chronofex.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[display]\nlook=blue\nopacity=20\nattached=0\nposition=@Point(1 2\n"
               "[clock]\nresolution=0\n[snap]\nflashSound=maybe\n[controls]\nactOn=press\n"
               "[panel]\nposition=@Point(999999 5)\n[report]\nshown=true\nposition=12\n"
               "[rate]\nposition=@Point(10 20)\n");
    file.close();
    StartSettings expected;
    expected.actOnPress = true;
    expected.reportShown = true;
    expected.ratePosition = QPoint(10, 20);
    EXPECT_EQ(SettingsStore(path).read(), expected);
    for (const char* resolution : {"abc", "", "12345678901", "-5"}) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("[clock]\nresolution=") + resolution + "\n");
        file.close();
        EXPECT_EQ(SettingsStore(path).read().resolution, QStringLiteral("10")) << resolution;
    }
}

TEST(SettingsStore, SaysWhenTheFileCannotBeWritten) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // A folder that cannot be made, as a file stands where it would go.
    EXPECT_FALSE(SettingsStore(dir.filePath(QStringLiteral("file/chronofex.conf")))
                     .write(everySettingChanged()));
}

// Only a plain file is read or written: a FIFO there does not hold up the start, and a link is
// replaced by the file, never written through (its target stays as it was).
TEST(SettingsStore, OnlyAPlainFileIsReadOrWritten) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.conf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(SettingsStore(fifo).read(), StartSettings());

    const QString target = dir.filePath(QStringLiteral("target"));
    QFile t(target);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write("[clock]\nresolution=100\n");
    t.close();
    const QString linked = dir.filePath(QStringLiteral("linked.conf"));
    ASSERT_TRUE(QFile::link(target, linked));
    EXPECT_EQ(SettingsStore(linked).read(), StartSettings()) << "read through the link";
    ASSERT_TRUE(SettingsStore(linked).write(everySettingChanged()));
    EXPECT_FALSE(QFileInfo(linked).isSymLink());
    EXPECT_EQ(SettingsStore(linked).read(), everySettingChanged());
    QFile after(target);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), QByteArray("[clock]\nresolution=100\n"));
}
