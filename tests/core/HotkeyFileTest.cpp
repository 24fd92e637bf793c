#include "core/io/HotkeyFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cfx;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kTwelveZeros = QByteArray("0\r\n").repeated(12);

} // namespace

TEST(HotkeyFile, PathHasExactlyOneSeparatorBeforeTheName) {
    EXPECT_EQ(hotkeyFilePath("/data/cfx"), "/data/cfx/hotkeysetup.txt");
    EXPECT_EQ(hotkeyFilePath("/data/cfx/"), "/data/cfx/hotkeysetup.txt");
    EXPECT_EQ(hotkeyFilePath("/"), "/hotkeysetup.txt");
    EXPECT_EQ(hotkeyFilePath(""), ""); // no data folder, no file
}

TEST(HotkeyFile, CheckCreatesTheDefaultFileOnceAndNeverRewritesIt) {
    QTemporaryDir dir;
    const QString path = hotkeyFilePath(dir.path());
    ensureHotkeyFile(path);
    EXPECT_EQ(fileBytes(path), kTwelveZeros);

    const HotkeyFileRead read = readHotkeyFile(path);
    EXPECT_TRUE(read.ok);
    EXPECT_FALSE(read.repaired);
    EXPECT_EQ(read.set, HotkeySet{});

    // An existing file, even a damaged one, is left exactly as it is.
    putBytes(path, "junk\n");
    ensureHotkeyFile(path);
    EXPECT_EQ(fileBytes(path), QByteArray("junk\n"));
}

TEST(HotkeyFile, WritesTwelveCrLfLinesThatReadBackTheSame) {
    QTemporaryDir dir;
    const QString path = hotkeyFilePath(dir.path());
    HotkeySet set;
    set.modifiers = {3, 4, 0, 6};
    set.keyCodes = {0x74, 0x20, 0x7B, 0x41};
    set.enabled = {true, true, false, true};
    ASSERT_TRUE(writeHotkeyFile(path, set).ok);
    EXPECT_EQ(fileBytes(path), QByteArray("3\r\n116\r\n1\r\n4\r\n32\r\n1\r\n"
                                          "0\r\n123\r\n0\r\n6\r\n65\r\n1\r\n"));
    const HotkeyFileRead read = readHotkeyFile(path);
    EXPECT_FALSE(read.repaired);
    EXPECT_EQ(read.set, set);
}

TEST(HotkeyFile, ReadsLfLinesAnUnendedLastLineAndExtraLines) {
    QTemporaryDir dir;
    const QString path = hotkeyFilePath(dir.path());
    // Plain LF, a last line without an end, and extra lines after the twelfth are all fine.
    putBytes(path, "1\n116\n1\n0\n0\n0\n0\n0\n0\n2\n77\n1\nextra\n");
    const HotkeyFileRead read = readHotkeyFile(path);
    EXPECT_FALSE(read.repaired);
    EXPECT_EQ(read.set.modifiers[0], 1);
    EXPECT_EQ(read.set.keyCodes[0], 116);
    EXPECT_TRUE(read.set.enabled[0]);
    EXPECT_EQ(read.set.keyCodes[3], 77);
    EXPECT_TRUE(read.set.enabled[3]);
}

TEST(HotkeyFile, DamagedFilesAreReadAsFarAsValidAndTheRestDisabled) {
    // Enabled needs exactly the value 1; any other integer is "off".
    {
        const HotkeyFileRead r =
            parseHotkeyLines({"1", "116", "2", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
        EXPECT_FALSE(r.repaired);
        EXPECT_FALSE(r.set.enabled[0]);
    }
    // Short file: the first hotkey survives, the others are off.
    {
        const HotkeyFileRead r = parseHotkeyLines({"1", "116", "1", "4", "117"});
        EXPECT_TRUE(r.repaired);
        EXPECT_EQ(r.validLines, 5);
        EXPECT_TRUE(r.set.enabled[0]);
        EXPECT_EQ(r.set.keyCodes[0], 116);
        EXPECT_EQ(r.set.modifiers[1], 4);
        EXPECT_EQ(r.set.keyCodes[1], 117);
        EXPECT_FALSE(r.set.enabled[1]);
    }
    // A bad line stops the reading there even when later lines look valid.
    {
        const HotkeyFileRead r =
            parseHotkeyLines({"1", "116", "1", "0", "F5", "1", "2", "118", "1", "0", "0", "0"});
        EXPECT_TRUE(r.repaired);
        EXPECT_EQ(r.validLines, 4);
        EXPECT_TRUE(r.set.enabled[0]);
        EXPECT_FALSE(r.set.enabled[1]);
        EXPECT_FALSE(r.set.enabled[2]);
        EXPECT_EQ(r.set.keyCodes[2], 0);
    }
    // Empty lines and numbers with trailing text are not integers.
    for (const QString& bad : {QString(""), QString("12abc"), QString("1.5"), QString("x")}) {
        const HotkeyFileRead r =
            parseHotkeyLines({bad, "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
        EXPECT_TRUE(r.repaired) << bad.toStdString();
        EXPECT_EQ(r.validLines, 0);
    }
    const HotkeyFileRead empty = parseHotkeyLines({});
    EXPECT_TRUE(empty.repaired);
    EXPECT_EQ(empty.set, HotkeySet{});
}

TEST(HotkeyFile, MissingFileReadsAsDefaultAndUnreadableFileIsAnError) {
    QTemporaryDir dir;
    const HotkeyFileRead missing = readHotkeyFile(hotkeyFilePath(dir.path()));
    EXPECT_TRUE(missing.ok);
    EXPECT_FALSE(missing.repaired);

    // A folder where the file should be cannot be read as one.
    ASSERT_TRUE(QDir(dir.path()).mkdir("hotkeysetup.txt"));
    const HotkeyFileRead unreadable = readHotkeyFile(hotkeyFilePath(dir.path()));
    EXPECT_FALSE(unreadable.ok);
    EXPECT_FALSE(unreadable.error.isEmpty());
}

TEST(HotkeyFile, ModifierConversionSwapsAltAndShiftOnly) {
    // Entry box (1 Shift, 2 Ctrl, 4 Alt) to file (1 Alt, 2 Ctrl, 4 Shift).
    EXPECT_EQ(toRegistrationModifiers(4), 1); // Alt
    EXPECT_EQ(toRegistrationModifiers(1), 4); // Shift
    EXPECT_EQ(toRegistrationModifiers(6), 3); // Ctrl+Alt
    EXPECT_EQ(toRegistrationModifiers(3), 6); // Ctrl+Shift
    EXPECT_EQ(toRegistrationModifiers(2), 2); // Ctrl
    for (int same : {0, 2, 5, 7, 8, 255})
        EXPECT_EQ(toRegistrationModifiers(same), same);
    for (int m = 0; m < 16; ++m)
        EXPECT_EQ(toEntryBoxModifiers(toRegistrationModifiers(m)), m);
}
