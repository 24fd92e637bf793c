#pragma once

#include "core/io/LineFile.h"

#include <QString>
#include <QStringList>

#include <array>

namespace cfx {

// The hotkey file "hotkeysetup.txt": twelve lines, three per hotkey (modifiers in the
// registration convention 1 = Alt, 2 = Ctrl, 4 = Shift; a Windows virtual-key code; "1" when
// enabled), in the order Start/Stop, Snap, Reset, Menu. The key is a Windows virtual-key code on
// every system, so a file copied from another machine keeps working.

inline constexpr int kHotkeyCount = 4;
inline constexpr int kHotkeyFileLineCount = 3 * kHotkeyCount;

struct HotkeySet {
    std::array<int, kHotkeyCount> modifiers{};
    std::array<int, kHotkeyCount> keyCodes{};
    std::array<bool, kHotkeyCount> enabled{};

    friend bool operator==(const HotkeySet&, const HotkeySet&) = default;
};

// The file's path in a folder: the folder, one "/" unless it already ends with one, the name.
// Empty for an empty folder (no data folder chosen: there is no file to create or read).
QString hotkeyFilePath(const QString& folder);

// Creates the default file (twelve "0") at the path when there is none. An existing file is left
// alone; a file that cannot be created is not an error here (the reader copes with a missing
// file). An empty path creates nothing.
void ensureHotkeyFile(const QString& path);

struct HotkeyFileRead {
    HotkeySet set;
    int validLines = kHotkeyFileLineCount; // lines read as integers before the first bad one
    bool repaired = false;                 // the file was short or held a line that is no integer
    bool ok = true;                        // false: the file exists but could not be read
    QString error;                         // why it could not be read
};

// Reads the lines as far as each holds an integer; from the first line that does not (or the
// end of a short file) every value is taken as 0, so those hotkeys are disabled.
HotkeyFileRead parseHotkeyLines(const QStringList& lines);

// Reads the file. A missing file reads as the default (nothing assigned, nothing enabled).
HotkeyFileRead readHotkeyFile(const QString& path);

QStringList hotkeyFileLines(const HotkeySet& set);
FileResult writeHotkeyFile(const QString& path, const HotkeySet& set);

// The message shown once when a damaged file was read.
QString hotkeyRepairText(const QString& path, int validLines);

// Modifier sets: the entry boxes count 1 = Shift, 2 = Ctrl, 4 = Alt, the file and the
// registration 1 = Alt, 2 = Ctrl, 4 = Shift. Swapping Alt and Shift by table: 1 <-> 4, 3 <-> 6;
// every other value passes unchanged.
int toEntryBoxModifiers(int registrationModifiers);
int toRegistrationModifiers(int entryBoxModifiers);

} // namespace cfx
