#include "core/HotkeyRegistration.h"

#include "core/ProgramState.h"

namespace cfx {

int registerHotkeys(ProgramState& state, const HotkeySet& set, HotkeyGrabber& grabber) {
    int failures = 0;
    for (int i = 0; i < HotkeyCount; ++i) {
        state.HotkeyModifiers[i] = set.modifiers[i];
        state.HotkeyKeyCodes[i] = set.keyCodes[i];
    }
    for (int i = 0; i < HotkeyCount; ++i) {
        if (state.HotkeyRegistered[i]) {
            grabber.release(i);
            state.HotkeyRegistered[i] = false;
        }
        if (!set.enabled[i])
            continue;
        const int mods = set.modifiers[i];
        const int key = set.keyCodes[i];
        bool taken = false;
        for (int j = 0; j < i; ++j) {
            if (state.HotkeyRegistered[j] && state.HotkeyModifiers[j] == mods &&
                state.HotkeyKeyCodes[j] == key)
                taken = true;
        }
        const bool ok = key != 0 && !taken && grabber.grab(i, mods, key);
        state.HotkeyRegistered[i] = ok;
        if (!ok && key != 0)
            ++failures;
    }
    state.HotkeyFailCount = failures;
    return failures;
}

void releaseHotkeys(ProgramState& state, HotkeyGrabber& grabber) {
    for (int i = 0; i < HotkeyCount; ++i) {
        if (state.HotkeyRegistered[i])
            grabber.release(i);
        state.HotkeyRegistered[i] = false;
    }
}

QString hotkeyFailText(int count) {
    return QStringLiteral("Can not register ") + QString::number(count) +
           QStringLiteral(" Hotkeys.\r\nDuplicate keys may be assigned or keys\r\n"
                          "registered by other running applications.");
}

} // namespace cfx
