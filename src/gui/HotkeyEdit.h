#pragma once

#include <QLineEdit>

#include <functional>

namespace cfx {

// An entry box for one key combination: the user presses it and the box shows it. It holds a
// modifier set in its own convention (1 = Shift, 2 = Ctrl, 4 = Alt) and a virtual-key code.
// Backspace alone clears the box; Tab and Shift+Tab move on; Esc alone is left to the window.
class HotkeyEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit HotkeyEdit(QWidget* parent = nullptr);

    int modifiers() const { return m_modifiers; }
    int keyCode() const { return m_keyCode; }
    void setHotkey(int modifiers, int keyCode);
    // Asks the keyboard map for a key's virtual-key code by its native scan code (0: unknown).
    void setNativeKeyMapper(std::function<int(quint32)> mapper) {
        m_nativeKeyMapper = std::move(mapper);
    }

Q_SIGNALS:
    void hotkeyChanged();
    // A key that cannot be a hotkey was pressed (its meaning depends on the keyboard layout).
    void keyRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showHotkey();

    int m_modifiers = 0;
    int m_keyCode = 0;
    std::function<int(quint32)> m_nativeKeyMapper;
};

} // namespace cfx
