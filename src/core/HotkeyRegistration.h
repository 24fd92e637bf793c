#pragma once

#include "core/io/HotkeyFile.h"

#include <QString>

#include <array>
#include <functional>
#include <utility>

namespace cfx {

// What registering a hotkey needs of the desktop: take a system-wide key combination under a
// small identifier and say whether that worked, and give it back.
class HotkeyGrabber {
public:
    virtual ~HotkeyGrabber() = default;
    // modifiers in the registration convention (1 = Alt, 2 = Ctrl, 4 = Shift), key as a
    // virtual-key code. False when the combination cannot be taken.
    virtual bool grab(int id, int modifiers, int virtualKey) = 0;
    virtual void release(int id) = 0;

    // Called with the identifier once for every press of a held combination (a key held down
    // and repeating counts once).
    void setPressHandler(std::function<void(int id)> handler) { m_onPress = std::move(handler); }

protected:
    void pressed(int id) const {
        if (m_onPress)
            m_onPress(id);
    }

private:
    std::function<void(int)> m_onPress;
};

// The hotkeys as the program currently holds them, by identifier (0 Start/Stop, 1 Snap, 2 Reset,
// 3 Menu): the combination of each and whether the desktop gave it to the program.
struct HotkeyRegistrations {
    std::array<int, kHotkeyCount> modifiers{}; // 1 = Alt, 2 = Ctrl, 4 = Shift
    std::array<int, kHotkeyCount> keyCodes{};  // virtual-key codes; 0 = none assigned
    std::array<bool, kHotkeyCount> registered{};
};

// Takes the set's modifiers and keys into the registrations for every hotkey, then registers
// the enabled ones in identifier order and records which succeeded. A combination that an
// earlier hotkey of this program already holds fails, as does any combination the desktop
// refuses. Returns the failures of hotkeys that have a key assigned (an enabled hotkey
// without a key fails silently).
int registerHotkeys(HotkeyRegistrations& held, const HotkeySet& set, HotkeyGrabber& grabber);

// Releases every registered hotkey.
void releaseHotkeys(HotkeyRegistrations& held, HotkeyGrabber& grabber);

// The "Hotkey Assign" message for a number of failed registrations.
QString hotkeyFailText(int count);
inline QString hotkeyFailTitle() {
    return QStringLiteral("Hotkey Assign");
}

} // namespace cfx
