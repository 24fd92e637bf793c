#pragma once

#include "core/io/HotkeyFile.h"

#include <QString>
#include <QtGlobal>

namespace cfx {

// What the hotkey dialog needs of the hotkey service: the values to edit, and the hand-back of
// the result. While editing, every hotkey is released so that typing a combination does not work
// the stopwatch.
class HotkeyEditing {
public:
    virtual ~HotkeyEditing() = default;

    // Whether the desktop offers global hotkeys at all.
    virtual bool available() const = 0;
    // The file's values (damaged files repaired); every hotkey is released until finishEditing or
    // cancelEditing.
    virtual HotkeySet beginEditing() = 0;
    // The file's values again, without touching the registrations (Restore).
    virtual HotkeySet fileValues() = 0;
    // OK: registers the enabled hotkeys and saves them.
    virtual void finishEditing(const HotkeySet& boxes) = 0;
    // Closed without OK: the hotkeys registered before editing are registered again.
    virtual void cancelEditing() = 0;
    // The key's virtual-key code from the keyboard map, by the key's native scan code; 0 when the
    // map does not know it.
    virtual int virtualKeyOfNativeKey(quint32 scanCode) const = 0;
    // What the dialog says about this desktop's hotkeys beyond the boxes; empty for nothing.
    virtual QString desktopNote() const { return {}; }
    // Whether the desktop, not the program, has the last word on the triggers (the global-
    // shortcuts portal); boundTrigger then says what a hotkey is bound to now (empty: not bound).
    virtual bool desktopAssigns() const { return false; }
    virtual QString boundTrigger(int /*id*/) const { return {}; }
};

} // namespace cfx
