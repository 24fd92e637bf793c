#include "gui/HotkeyEdit.h"

#include "core/KeyTable.h"
#include "core/io/HotkeyFile.h"

#include <QKeyEvent>

namespace cfx {

namespace {

int entryBoxModifiers(Qt::KeyboardModifiers mods) {
    int m = 0;
    if (mods & Qt::ShiftModifier)
        m |= 1;
    if (mods & Qt::ControlModifier)
        m |= 2;
    if (mods & Qt::AltModifier)
        m |= 4;
    return m;
}

bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_Super_L ||
           key == Qt::Key_Super_R || key == Qt::Key_Hyper_L || key == Qt::Key_Hyper_R;
}

// With Shift held the event names the shifted symbol ("!" for Shift+1). The hotkey is the key
// itself: ask the X keyboard map for the key's plain symbol, or else undo the shift of the
// digit row as most layouts place it.
int keyOfEvent(const QKeyEvent* event, const std::function<int(quint32)>& nativeKeyMapper) {
    if (const int vk = nativeKeyMapper ? nativeKeyMapper(event->nativeScanCode()) : 0)
        return vk;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    static const char shiftedDigits[] = ")!@#$%^&*(";
    const int key = event->key();
    if (!keypad && (event->modifiers() & Qt::ShiftModifier) && key < 0x80) {
        for (int d = 0; d < 10; ++d) {
            if (shiftedDigits[d] == key)
                return '0' + d;
        }
    }
    return cfx::virtualKeyForQtKey(key, keypad);
}

} // namespace

HotkeyEdit::HotkeyEdit(QWidget* parent) : QLineEdit(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    showHotkey();
}

void HotkeyEdit::setHotkey(int modifiers, int keyCode) {
    m_modifiers = modifiers;
    m_keyCode = keyCode;
    showHotkey();
}

void HotkeyEdit::showHotkey() {
    setText(cfx::hotkeyText(cfx::toRegistrationModifiers(m_modifiers), m_keyCode));
}

void HotkeyEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const int mods = entryBoxModifiers(event->modifiers());
    if (isModifierKey(key)) {
        // Show the modifiers held so far; the combination is taken with the key.
        setText(mods ? cfx::hotkeyText(cfx::toRegistrationModifiers(mods), 0x41).chopped(1)
                     : cfx::hotkeyText(cfx::toRegistrationModifiers(m_modifiers), m_keyCode));
        return;
    }
    if (mods == 0 && key == Qt::Key_Escape) {
        showHotkey();
        event->ignore();
        return;
    }
    if (mods == 0 && key == Qt::Key_Backspace) {
        setHotkey(0, 0);
        Q_EMIT hotkeyChanged();
        return;
    }
    const int vk = keyOfEvent(event, m_nativeKeyMapper);
    if (vk == 0) {
        showHotkey();
        Q_EMIT keyRefused();
        return;
    }
    setHotkey(mods, vk);
    Q_EMIT hotkeyChanged();
}

void HotkeyEdit::keyReleaseEvent(QKeyEvent* event) {
    if (entryBoxModifiers(event->modifiers()) == 0)
        showHotkey();
}

void HotkeyEdit::focusOutEvent(QFocusEvent* event) {
    showHotkey();
    QLineEdit::focusOutEvent(event);
}

} // namespace cfx
