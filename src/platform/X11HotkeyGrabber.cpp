#include "platform/X11HotkeyGrabber.h"

#include "core/KeyTable.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <X11/keysym.h>

#include <cstdlib>

namespace cfx {

namespace {

constexpr std::uint16_t kLockMask = XCB_MOD_MASK_LOCK;

// Modifier sets of the hotkey file (1 = Alt, 2 = Ctrl, 4 = Shift) as an X modifier mask.
bool xModifiers(int modifiers, std::uint16_t& mask) {
    if (modifiers < 0 || (modifiers & ~7) != 0)
        return false;
    mask = 0;
    if (modifiers & 1)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & 2)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & 4)
        mask |= XCB_MOD_MASK_SHIFT;
    return true;
}

// Every keycode that produces the keysym on the current keyboard.
std::vector<std::uint8_t> keycodesFor(xcb_connection_t* c, std::uint32_t keysym) {
    std::vector<std::uint8_t> codes;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
    if (!symbols)
        return codes;
    if (xcb_keycode_t* list = xcb_key_symbols_get_keycode(symbols, keysym)) {
        for (xcb_keycode_t* k = list; *k != XCB_NO_SYMBOL; ++k)
            codes.push_back(*k);
        std::free(list);
    }
    xcb_key_symbols_free(symbols);
    return codes;
}

} // namespace

std::unique_ptr<X11HotkeyGrabber> X11HotkeyGrabber::create() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    xcb_connection_t* c = x11->connection();
    const xcb_setup_t* setup = xcb_get_setup(c);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    if (!it.rem)
        return nullptr;
    std::unique_ptr<X11HotkeyGrabber> grabber(new X11HotkeyGrabber(c, it.data->root));
    return grabber;
}

int X11HotkeyGrabber::virtualKeyOfKeycode(quint32 keycode) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || keycode == 0 || keycode > 255)
        return 0;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(x11->connection());
    if (!symbols)
        return 0;
    const xcb_keysym_t sym =
        xcb_key_symbols_get_keysym(symbols, static_cast<xcb_keycode_t>(keycode), 0);
    xcb_key_symbols_free(symbols);
    return cfx::virtualKeyForKeysym(sym);
}

X11HotkeyGrabber::X11HotkeyGrabber(xcb_connection_t* connection, std::uint32_t root)
    : m_connection(connection), m_root(root) {
    learnLockMasks();
    qGuiApp->installNativeEventFilter(this);
}

X11HotkeyGrabber::~X11HotkeyGrabber() {
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
    while (!m_grabs.empty())
        release(m_grabs.begin()->first);
    xcb_flush(m_connection);
}

void X11HotkeyGrabber::learnLockMasks() {
    // Which modifier bit NumLock and ScrollLock set depends on the server's modifier mapping.
    const std::vector<std::uint8_t> numLock = keycodesFor(m_connection, XK_Num_Lock);
    const std::vector<std::uint8_t> scrollLock = keycodesFor(m_connection, XK_Scroll_Lock);
    xcb_get_modifier_mapping_reply_t* reply = xcb_get_modifier_mapping_reply(
        m_connection, xcb_get_modifier_mapping(m_connection), nullptr);
    if (!reply)
        return;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
    const int perModifier = reply->keycodes_per_modifier;
    for (int mod = 0; mod < 8; ++mod) {
        for (int k = 0; k < perModifier; ++k) {
            const xcb_keycode_t code = codes[mod * perModifier + k];
            if (code == 0)
                continue;
            for (std::uint8_t n : numLock) {
                if (n == code)
                    m_numLockMask = static_cast<std::uint16_t>(1u << mod);
            }
            for (std::uint8_t s : scrollLock) {
                if (s == code)
                    m_scrollLockMask = static_cast<std::uint16_t>(1u << mod);
            }
        }
    }
    std::free(reply);
}

std::vector<std::uint16_t> X11HotkeyGrabber::lockVariants() const {
    std::vector<std::uint16_t> variants{0};
    for (std::uint16_t lock : {kLockMask, m_numLockMask, m_scrollLockMask}) {
        if (lock == 0)
            continue;
        const std::size_t n = variants.size();
        for (std::size_t i = 0; i < n; ++i)
            variants.push_back(static_cast<std::uint16_t>(variants[i] | lock));
    }
    return variants;
}

bool X11HotkeyGrabber::grab(int id, int modifiers, int virtualKey) {
    if (m_grabs.count(id))
        return false;
    std::uint16_t mask = 0;
    const std::uint32_t keysym = cfx::keysymForVirtualKey(virtualKey);
    if (keysym == 0 || !xModifiers(modifiers, mask))
        return false;
    const std::vector<std::uint8_t> keycodes = keycodesFor(m_connection, keysym);
    if (keycodes.empty())
        return false; // the keyboard has no such key

    std::vector<Combo> combos;
    for (std::uint8_t code : keycodes)
        combos.push_back({code, mask});
    // The same combination under another identifier of ours: the server would let us grab it
    // twice, but only one hotkey can have it.
    for (const auto& [otherId, held] : m_grabs) {
        for (const Combo& h : held) {
            for (const Combo& c : combos) {
                if (h == c)
                    return false;
            }
        }
    }

    std::vector<xcb_void_cookie_t> cookies;
    for (const Combo& c : combos) {
        for (std::uint16_t lock : lockVariants()) {
            cookies.push_back(xcb_grab_key_checked(
                m_connection, 0, m_root, static_cast<std::uint16_t>(c.modifiers | lock), c.keycode,
                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
    }
    bool ok = true;
    for (xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            ok = false; // BadAccess: another client holds this combination
            std::free(error);
        }
    }
    if (!ok) {
        // Ungrabbing only ever touches our own grabs, so the other client keeps its own.
        for (const Combo& c : combos)
            ungrabCombo(c);
        xcb_flush(m_connection);
        return false;
    }
    m_grabs[id] = std::move(combos);
    return true;
}

void X11HotkeyGrabber::ungrabCombo(const Combo& combo) {
    for (std::uint16_t lock : lockVariants()) {
        xcb_ungrab_key(m_connection, combo.keycode, m_root,
                       static_cast<std::uint16_t>(combo.modifiers | lock));
    }
}

void X11HotkeyGrabber::release(int id) {
    const auto it = m_grabs.find(id);
    if (it == m_grabs.end())
        return;
    for (const Combo& c : it->second) {
        ungrabCombo(c);
        m_down.erase(c.keycode);
    }
    m_grabs.erase(it);
    xcb_flush(m_connection);
}

int X11HotkeyGrabber::idFor(std::uint8_t keycode, std::uint16_t state) const {
    const auto locks = static_cast<std::uint16_t>(kLockMask | m_numLockMask | m_scrollLockMask);
    const auto mods = static_cast<std::uint16_t>(state & 0xFF & ~locks);
    for (const auto& [id, combos] : m_grabs) {
        for (const Combo& c : combos) {
            if (c.keycode == keycode && c.modifiers == mods)
                return id;
        }
    }
    return -1;
}

bool X11HotkeyGrabber::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || m_grabs.empty())
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7F;
    if (type == XCB_KEY_PRESS) {
        auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
        if (key->event != m_root)
            return false;
        const int id = idFor(key->detail, key->state);
        if (id < 0)
            return false;
        const auto released = m_releasedAt.find(key->detail);
        // Auto-repeat: a press while the key is down, or one that carries the very time of the
        // release just before it (servers that send a release between repeats).
        const bool repeat = m_down.count(key->detail) ||
                            (released != m_releasedAt.end() && released->second == key->time);
        m_down.insert(key->detail);
        if (!repeat)
            pressed(id);
        return true;
    }
    if (type == XCB_KEY_RELEASE) {
        auto* key = reinterpret_cast<xcb_key_release_event_t*>(event);
        if (!m_down.count(key->detail))
            return false;
        // The release counts wherever it lands: a pop-up menu opened by the press (the Menu
        // hotkey) grabs the keyboard and receives it, and the next press must not look like a
        // repeat.
        m_down.erase(key->detail);
        m_releasedAt[key->detail] = key->time;
        return key->event == m_root;
    }
    return false;
}

} // namespace cfx
