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

    // A desktop that takes every combination at once and answers later (the global-shortcuts
    // portal): grab() and release() only note what is wanted, and commit() hands it over, also
    // when unchanged if rebind is set. True when the answer comes later, through the answer
    // handler; a grabber that took or refused each combination at once returns false.
    virtual bool commit(bool /*rebind*/) { return false; }
    // Whether the desktop, not the program, has the last word on the triggers; boundTrigger then
    // says what a hotkey is bound to now ("Ctrl+Shift+F5"; empty when it is not bound).
    virtual bool desktopAssigns() const { return false; }
    virtual QString boundTrigger(int /*id*/) const { return {}; }

    // Called with the identifier once for every press of a held combination (a key held down
    // and repeating counts once).
    void setPressHandler(std::function<void(int id)> handler) { m_onPress = std::move(handler); }
    using Bound = std::array<bool, kHotkeyCount>;
    // Called with the desktop's answer to a commit: which hotkeys it bound.
    void setAnswerHandler(std::function<void(const Bound&)> handler) {
        m_onAnswer = std::move(handler);
    }
    // Called when the desktop changed the triggers of bound hotkeys on its own.
    void setTriggersChangedHandler(std::function<void()> handler) {
        m_onTriggersChanged = std::move(handler);
    }

protected:
    void pressed(int id) const {
        if (m_onPress)
            m_onPress(id);
    }
    void answered(const Bound& bound) const {
        if (m_onAnswer)
            m_onAnswer(bound);
    }
    void triggersChanged() const {
        if (m_onTriggersChanged)
            m_onTriggersChanged();
    }

private:
    std::function<void(int)> m_onPress;
    std::function<void(const Bound&)> m_onAnswer;
    std::function<void()> m_onTriggersChanged;
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
