#include "tests/support/ChangedSettings.h"

#include <QFile>
#include <QTemporaryDir>

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
