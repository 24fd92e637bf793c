// The hotkey file is read at every start; a damaged or foreign file must never crash the program
// and must read back the same after it is written again.
#include "FuzzCheck.h"

#include "core/KeyTable.h"
#include "core/io/HotkeyFile.h"
#include "core/io/LineFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace cfx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    // The file reader, as the program's start uses it.
    static QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("hotkeysetup.txt"));
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    check(file.write(bytes) == bytes.size());
    file.close();
    const cfx::HotkeyFileRead fromFile = cfx::readHotkeyFile(path);
    const cfx::HotkeyFileRead read = cfx::parseHotkeyLines(cfx::decodeLines(bytes));
    // Whatever the reader takes, it reads as the parser does.
    check(!fromFile.ok || (fromFile.set == read.set && fromFile.repaired == read.repaired));
    check(read.validLines >= 0 && read.validLines <= cfx::kHotkeyFileLineCount);
    check(read.repaired == (read.validLines < cfx::kHotkeyFileLineCount));

    // What the program writes back reads as the same set, undamaged.
    const QByteArray written = cfx::crlfBytes(cfx::hotkeyFileLines(read.set));
    const cfx::HotkeyFileRead again = cfx::parseHotkeyLines(cfx::decodeLines(written));
    check(!again.repaired);
    check(again.set == read.set);

    for (int i = 0; i < cfx::kHotkeyCount; ++i) {
        const int modifiers = read.set.modifiers[i];
        check(cfx::toRegistrationModifiers(cfx::toEntryBoxModifiers(modifiers)) == modifiers);
        // Whatever the numbers, the key lookups and the shown text are defined.
        (void)cfx::keysymForVirtualKey(read.set.keyCodes[i]);
        bool keypad = false;
        (void)cfx::qtKeyForVirtualKey(read.set.keyCodes[i], &keypad);
        (void)cfx::hotkeyText(modifiers, read.set.keyCodes[i]);
    }
    return 0;
}
