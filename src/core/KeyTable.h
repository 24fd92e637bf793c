#pragma once

#include <QString>
#include <QtGlobal>

namespace cfx {

// Keys that a hotkey may use, by Windows virtual-key code (the number the hotkey file stores),
// with the X keysym that is grabbed for it and the Qt key that an entry box reports for it.
// Only keys with a fixed meaning are listed; punctuation keys whose symbol depends on the
// keyboard layout are not, so they cannot be assigned.

// The X keysym grabbed for a virtual-key code; 0 when the code is not usable as a hotkey.
quint32 keysymForVirtualKey(int virtualKey);

// The virtual-key code of an X keysym (letters in either case; number-pad keysyms with or
// without NumLock); 0 when the keysym has none.
int virtualKeyForKeysym(quint32 keysym);

// The virtual-key code of a key event's Qt key; keypad tells a number-pad key from the main
// one. 0 when the key is not usable as a hotkey.
int virtualKeyForQtKey(int qtKey, bool keypad);

// The Qt key of a virtual-key code, and whether it lies on the number pad. 0 when unknown.
int qtKeyForVirtualKey(int virtualKey, bool* keypad = nullptr);

// A short readable name of the key ("F5", "Num 3", "Page Up"); empty when unknown.
QString virtualKeyName(int virtualKey);

// The text an entry box shows for a modifier set in the registration convention and a key:
// "Ctrl+Alt+F5"; "None" when no key is assigned.
QString hotkeyText(int registrationModifiers, int virtualKey);

// The combination as a trigger of the XDG shortcuts format, which the desktop's
// global-shortcuts portal takes as a preferred trigger: the modifiers CTRL, ALT and SHIFT and the
// xkbcommon name of the key's keysym, joined by "+" ("CTRL+SHIFT+F5", "ALT+KP_3", "CTRL+a").
// Empty when the key cannot be a hotkey or the modifiers are more than Alt, Ctrl and Shift.
QString portalTrigger(int registrationModifiers, int virtualKey);

} // namespace cfx
