#include "core/HotkeyRegistration.h"

namespace cfx {

int registerHotkeys(HotkeyRegistrations& held, const HotkeySet& set, HotkeyGrabber& grabber) {
    int failures = 0;
    for (int i = 0; i < kHotkeyCount; ++i) {
        held.modifiers[i] = set.modifiers[i];
        held.keyCodes[i] = set.keyCodes[i];
    }
    for (int i = 0; i < kHotkeyCount; ++i) {
        if (held.registered[i]) {
            grabber.release(i);
            held.registered[i] = false;
        }
        if (!set.enabled[i])
            continue;
        const int mods = set.modifiers[i];
        const int key = set.keyCodes[i];
        bool taken = false;
        for (int j = 0; j < i; ++j) {
            if (held.registered[j] && held.modifiers[j] == mods && held.keyCodes[j] == key)
                taken = true;
        }
        const bool ok = key != 0 && !taken && grabber.grab(i, mods, key);
        held.registered[i] = ok;
        if (!ok && key != 0)
            ++failures;
    }
    return failures;
}

void releaseHotkeys(HotkeyRegistrations& held, HotkeyGrabber& grabber) {
    for (int i = 0; i < kHotkeyCount; ++i) {
        if (held.registered[i])
            grabber.release(i);
        held.registered[i] = false;
    }
}

QString hotkeyFailText(int count) {
    return QStringLiteral("Can not register ") + QString::number(count) +
           QStringLiteral(" Hotkeys.\r\nDuplicate keys may be assigned or keys\r\n"
                          "registered by other running applications.");
}

} // namespace cfx
