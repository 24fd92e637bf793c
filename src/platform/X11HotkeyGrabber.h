#pragma once

#include "core/HotkeyRegistration.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

struct xcb_connection_t;

namespace cfx {

// System-wide hotkeys on X11: passive key grabs on the root window through the application's
// own xcb connection, and a native event filter that turns the grabbed key presses into
// hotkey presses. Every combination is grabbed in all its NumLock, CapsLock and ScrollLock
// variants so that the lock keys do not disable the hotkeys. A grab the X server refuses
// (another client holds the combination) fails the whole registration.
class X11HotkeyGrabber final : public HotkeyGrabber, public QAbstractNativeEventFilter {
public:
    // Null when the application does not run on the X11 platform.
    static std::unique_ptr<X11HotkeyGrabber> create();
    ~X11HotkeyGrabber() override;

    X11HotkeyGrabber(const X11HotkeyGrabber&) = delete;
    X11HotkeyGrabber& operator=(const X11HotkeyGrabber&) = delete;

    // The virtual-key code of an X keycode's plain (unshifted) symbol; 0 when not on X11 or
    // the key is not usable as a hotkey.
    static int virtualKeyOfKeycode(quint32 keycode);

    bool grab(int id, int modifiers, int virtualKey) override;
    void release(int id) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11HotkeyGrabber(xcb_connection_t* connection, std::uint32_t root);

    struct Combo {
        std::uint8_t keycode = 0;
        std::uint16_t modifiers = 0; // X modifier mask without lock bits
        friend auto operator<=>(const Combo&, const Combo&) = default;
    };

    void learnLockMasks();
    std::vector<std::uint16_t> lockVariants() const;
    void ungrabCombo(const Combo& combo);
    int idFor(std::uint8_t keycode, std::uint16_t state) const;

    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
    std::uint16_t m_numLockMask = 0;
    std::uint16_t m_scrollLockMask = 0;
    std::map<int, std::vector<Combo>> m_grabs;
    // Keys of held hotkeys that are down, and when each was last released, so that the
    // presses of auto-repeat act once whether or not the server sends releases in between.
    std::set<std::uint8_t> m_down;
    std::map<std::uint8_t, std::uint32_t> m_releasedAt;
};

} // namespace cfx
