#include "core/io/HotkeyFile.h"

#include <QFileInfo>

namespace cfx {

QString hotkeyFilePath(const QString& folder) {
    if (folder.isEmpty())
        return {};
    const QString name = QStringLiteral("hotkeysetup.txt");
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

void ensureHotkeyFile(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path))
        return;
    writeHotkeyFile(path, HotkeySet{});
}

namespace {

bool integerLine(const QString& line, int& value) {
    bool ok = false;
    value = line.trimmed().toInt(&ok, 10);
    return ok;
}

} // namespace

HotkeyFileRead parseHotkeyLines(const QStringList& lines) {
    HotkeyFileRead read;
    std::array<int, kHotkeyFileLineCount> values{};
    int valid = 0;
    while (valid < kHotkeyFileLineCount && valid < lines.size() &&
           integerLine(lines[valid], values[valid]))
        ++valid;
    // Everything after the first unreadable line is distrusted, not just that line: the file's
    // layout is positional, so a missing line shifts every value after it.
    for (int i = valid; i < kHotkeyFileLineCount; ++i)
        values[i] = 0;
    read.validLines = valid;
    read.repaired = valid < kHotkeyFileLineCount;
    for (int i = 0; i < kHotkeyCount; ++i) {
        read.set.modifiers[i] = values[3 * i];
        read.set.keyCodes[i] = values[3 * i + 1];
        read.set.enabled[i] = values[3 * i + 2] == 1;
    }
    return read;
}

HotkeyFileRead readHotkeyFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return {};
    QStringList lines;
    QString error;
    if (!readLines(path, lines, error)) {
        HotkeyFileRead read;
        read.ok = false;
        read.error = error;
        return read;
    }
    return parseHotkeyLines(lines);
}

QStringList hotkeyFileLines(const HotkeySet& set) {
    QStringList lines;
    for (int i = 0; i < kHotkeyCount; ++i) {
        lines << QString::number(set.modifiers[i]) << QString::number(set.keyCodes[i])
              << QString::number(set.enabled[i] ? 1 : 0);
    }
    return lines;
}

FileResult writeHotkeyFile(const QString& path, const HotkeySet& set) {
    return writeLines(path, hotkeyFileLines(set));
}

QString hotkeyRepairText(const QString& path, int validLines) {
    return QStringLiteral("The hotkey file \"%1\" is damaged: only the first %2 of its 12 lines "
                          "could be read.\r\nThe hotkeys after that point are disabled until "
                          "they are assigned again.")
        .arg(path)
        .arg(validLines);
}

namespace {

int swapAltShift(int modifiers) {
    switch (modifiers) {
    case 1:
        return 4;
    case 4:
        return 1;
    case 3:
        return 6;
    case 6:
        return 3;
    default:
        return modifiers;
    }
}

} // namespace

int toEntryBoxModifiers(int registrationModifiers) {
    return swapAltShift(registrationModifiers);
}
int toRegistrationModifiers(int entryBoxModifiers) {
    return swapAltShift(entryBoxModifiers);
}

} // namespace cfx
