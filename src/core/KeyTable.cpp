#include "core/KeyTable.h"

#include <QtCore/qnamespace.h>

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <array>

namespace cfx {

namespace {

struct KeyEntry {
    int vk;
    quint32 keysym;
    int qtKey;
    bool keypad;
    const char* name;
    const char* keysymName; // xkbcommon's name of the keysym, for the portal's trigger syntax
};

// One row per virtual-key code. Letters and digits are generated below.
constexpr KeyEntry kFixedKeys[] = {
    {0x08, XK_BackSpace, Qt::Key_Backspace, false, "Backspace", "BackSpace"},
    {0x09, XK_Tab, Qt::Key_Tab, false, "Tab", "Tab"},
    {0x0C, XK_Clear, Qt::Key_Clear, false, "Clear", "Clear"},
    {0x0D, XK_Return, Qt::Key_Return, false, "Enter", "Return"},
    {0x13, XK_Pause, Qt::Key_Pause, false, "Pause", "Pause"},
    {0x1B, XK_Escape, Qt::Key_Escape, false, "Esc", "Escape"},
    {0x20, XK_space, Qt::Key_Space, false, "Space", "space"},
    {0x21, XK_Prior, Qt::Key_PageUp, false, "Page Up", "Prior"},
    {0x22, XK_Next, Qt::Key_PageDown, false, "Page Down", "Next"},
    {0x23, XK_End, Qt::Key_End, false, "End", "End"},
    {0x24, XK_Home, Qt::Key_Home, false, "Home", "Home"},
    {0x25, XK_Left, Qt::Key_Left, false, "Left", "Left"},
    {0x26, XK_Up, Qt::Key_Up, false, "Up", "Up"},
    {0x27, XK_Right, Qt::Key_Right, false, "Right", "Right"},
    {0x28, XK_Down, Qt::Key_Down, false, "Down", "Down"},
    {0x29, XK_Select, Qt::Key_Select, false, "Select", "Select"},
    {0x2B, XK_Execute, Qt::Key_Execute, false, "Execute", "Execute"},
    {0x2C, XK_Print, Qt::Key_Print, false, "Print Screen", "Print"},
    {0x2D, XK_Insert, Qt::Key_Insert, false, "Insert", "Insert"},
    {0x2E, XK_Delete, Qt::Key_Delete, false, "Delete", "Delete"},
    {0x2F, XK_Help, Qt::Key_Help, false, "Help", "Help"},
    {0x5D, XK_Menu, Qt::Key_Menu, false, "Menu", "Menu"},
    {0x5F, XF86XK_Sleep, Qt::Key_Sleep, false, "Sleep", "XF86Sleep"},
    {0x60, XK_KP_0, Qt::Key_0, true, "Num 0", "KP_0"},
    {0x61, XK_KP_1, Qt::Key_1, true, "Num 1", "KP_1"},
    {0x62, XK_KP_2, Qt::Key_2, true, "Num 2", "KP_2"},
    {0x63, XK_KP_3, Qt::Key_3, true, "Num 3", "KP_3"},
    {0x64, XK_KP_4, Qt::Key_4, true, "Num 4", "KP_4"},
    {0x65, XK_KP_5, Qt::Key_5, true, "Num 5", "KP_5"},
    {0x66, XK_KP_6, Qt::Key_6, true, "Num 6", "KP_6"},
    {0x67, XK_KP_7, Qt::Key_7, true, "Num 7", "KP_7"},
    {0x68, XK_KP_8, Qt::Key_8, true, "Num 8", "KP_8"},
    {0x69, XK_KP_9, Qt::Key_9, true, "Num 9", "KP_9"},
    {0x6A, XK_KP_Multiply, Qt::Key_Asterisk, true, "Num *", "KP_Multiply"},
    {0x6B, XK_KP_Add, Qt::Key_Plus, true, "Num +", "KP_Add"},
    {0x6C, XK_KP_Separator, Qt::Key_Comma, true, "Num Separator", "KP_Separator"},
    {0x6D, XK_KP_Subtract, Qt::Key_Minus, true, "Num -", "KP_Subtract"},
    {0x6E, XK_KP_Decimal, Qt::Key_Period, true, "Num Del", "KP_Decimal"},
    {0x6F, XK_KP_Divide, Qt::Key_Slash, true, "Num /", "KP_Divide"},
    {0xA6, XF86XK_Back, Qt::Key_Back, false, "Browser Back", "XF86Back"},
    {0xA7, XF86XK_Forward, Qt::Key_Forward, false, "Browser Forward", "XF86Forward"},
    {0xA8, XF86XK_Refresh, Qt::Key_Refresh, false, "Browser Refresh", "XF86Refresh"},
    {0xA9, XF86XK_Stop, Qt::Key_Stop, false, "Browser Stop", "XF86Stop"},
    {0xAA, XF86XK_Search, Qt::Key_Search, false, "Browser Search", "XF86Search"},
    {0xAB, XF86XK_Favorites, Qt::Key_Favorites, false, "Browser Favorites", "XF86Favorites"},
    {0xAC, XF86XK_HomePage, Qt::Key_HomePage, false, "Browser Home", "XF86HomePage"},
    {0xAD, XF86XK_AudioMute, Qt::Key_VolumeMute, false, "Volume Mute", "XF86AudioMute"},
    {0xAE, XF86XK_AudioLowerVolume, Qt::Key_VolumeDown, false, "Volume Down",
     "XF86AudioLowerVolume"},
    {0xAF, XF86XK_AudioRaiseVolume, Qt::Key_VolumeUp, false, "Volume Up", "XF86AudioRaiseVolume"},
    {0xB0, XF86XK_AudioNext, Qt::Key_MediaNext, false, "Next Track", "XF86AudioNext"},
    {0xB1, XF86XK_AudioPrev, Qt::Key_MediaPrevious, false, "Previous Track", "XF86AudioPrev"},
    {0xB2, XF86XK_AudioStop, Qt::Key_MediaStop, false, "Stop Media", "XF86AudioStop"},
    {0xB3, XF86XK_AudioPlay, Qt::Key_MediaPlay, false, "Play/Pause", "XF86AudioPlay"},
    {0xB4, XF86XK_Mail, Qt::Key_LaunchMail, false, "Mail", "XF86Mail"},
    {0xB5, XF86XK_AudioMedia, Qt::Key_LaunchMedia, false, "Media", "XF86AudioMedia"},
    {0xB6, XF86XK_MyComputer, Qt::Key_Launch0, false, "Application 1", "XF86MyComputer"},
    {0xB7, XF86XK_Calculator, Qt::Key_Calculator, false, "Application 2", "XF86Calculator"},
};

constexpr int kFunctionKeys = 24; // VK_F1 0x70 .. VK_F24 0x87

// Keysyms that a number-pad key produces while NumLock is off, by virtual-key code.
constexpr std::pair<quint32, int> kKeypadWithoutNumLock[] = {
    {XK_KP_Insert, 0x60}, {XK_KP_End, 0x61},   {XK_KP_Down, 0x62},  {XK_KP_Next, 0x63},
    {XK_KP_Left, 0x64},   {XK_KP_Begin, 0x65}, {XK_KP_Right, 0x66}, {XK_KP_Home, 0x67},
    {XK_KP_Up, 0x68},     {XK_KP_Prior, 0x69}, {XK_KP_Delete, 0x6E}};

const KeyEntry* fixedEntry(int vk) {
    for (const KeyEntry& e : kFixedKeys) {
        if (e.vk == vk)
            return &e;
    }
    return nullptr;
}

bool isLetter(int vk) {
    return vk >= 'A' && vk <= 'Z';
}
bool isDigit(int vk) {
    return vk >= '0' && vk <= '9';
}
bool isFunctionKey(int vk) {
    return vk >= 0x70 && vk < 0x70 + kFunctionKeys;
}

} // namespace

quint32 keysymForVirtualKey(int vk) {
    if (isLetter(vk))
        return XK_a + static_cast<quint32>(vk - 'A'); // the unshifted symbol of the key
    if (isDigit(vk))
        return XK_0 + static_cast<quint32>(vk - '0');
    if (isFunctionKey(vk))
        return XK_F1 + static_cast<quint32>(vk - 0x70);
    const KeyEntry* e = fixedEntry(vk);
    return e ? e->keysym : 0;
}

int virtualKeyForKeysym(quint32 keysym) {
    if (keysym >= XK_a && keysym <= XK_z)
        return 'A' + static_cast<int>(keysym - XK_a);
    if (keysym >= XK_A && keysym <= XK_Z)
        return 'A' + static_cast<int>(keysym - XK_A);
    if (keysym >= XK_0 && keysym <= XK_9)
        return '0' + static_cast<int>(keysym - XK_0);
    if (keysym >= XK_F1 && keysym < XK_F1 + kFunctionKeys)
        return 0x70 + static_cast<int>(keysym - XK_F1);
    for (const KeyEntry& e : kFixedKeys) {
        if (e.keysym == keysym)
            return e.vk;
    }
    for (const auto& [sym, vk] : kKeypadWithoutNumLock) {
        if (sym == keysym)
            return vk;
    }
    return 0;
}

int virtualKeyForQtKey(int qtKey, bool keypad) {
    if (!keypad) {
        if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
            return 'A' + (qtKey - Qt::Key_A);
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return '0' + (qtKey - Qt::Key_0);
        if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kFunctionKeys)
            return 0x70 + (qtKey - Qt::Key_F1);
        if (qtKey == Qt::Key_Backtab)
            return 0x09;
    }
    // The number pad's Enter is the Enter key; its navigation keys (NumLock off) are the
    // number-pad keys they share.
    if (keypad) {
        switch (qtKey) {
        case Qt::Key_Enter:
            return 0x0D;
        case Qt::Key_Insert:
            return 0x60;
        case Qt::Key_End:
            return 0x61;
        case Qt::Key_Down:
            return 0x62;
        case Qt::Key_PageDown:
            return 0x63;
        case Qt::Key_Left:
            return 0x64;
        case Qt::Key_Clear:
            return 0x65;
        case Qt::Key_Right:
            return 0x66;
        case Qt::Key_Home:
            return 0x67;
        case Qt::Key_Up:
            return 0x68;
        case Qt::Key_PageUp:
            return 0x69;
        case Qt::Key_Delete:
            return 0x6E;
        default:
            break;
        }
    }
    if (qtKey == Qt::Key_Enter)
        return 0x0D;
    for (const KeyEntry& e : kFixedKeys) {
        if (e.qtKey == qtKey && e.keypad == keypad)
            return e.vk;
    }
    return 0;
}

int qtKeyForVirtualKey(int vk, bool* keypad) {
    if (keypad)
        *keypad = false;
    if (isLetter(vk))
        return Qt::Key_A + (vk - 'A');
    if (isDigit(vk))
        return Qt::Key_0 + (vk - '0');
    if (isFunctionKey(vk))
        return Qt::Key_F1 + (vk - 0x70);
    const KeyEntry* e = fixedEntry(vk);
    if (!e)
        return 0;
    if (keypad)
        *keypad = e->keypad;
    return e->qtKey;
}

QString virtualKeyName(int vk) {
    if (isLetter(vk) || isDigit(vk))
        return QString(QChar(vk));
    if (isFunctionKey(vk))
        return QStringLiteral("F%1").arg(vk - 0x70 + 1);
    const KeyEntry* e = fixedEntry(vk);
    return e ? QString::fromLatin1(e->name) : QString();
}

QString hotkeyText(int modifiers, int vk) {
    if (vk == 0)
        return QStringLiteral("None");
    QString text;
    if (modifiers & 2)
        text += QStringLiteral("Ctrl+");
    if (modifiers & 4)
        text += QStringLiteral("Shift+");
    if (modifiers & 1)
        text += QStringLiteral("Alt+");
    const QString name = virtualKeyName(vk);
    return text + (name.isEmpty() ? QStringLiteral("Key %1").arg(vk) : name);
}

QString portalTrigger(int modifiers, int vk) {
    if (modifiers < 0 || (modifiers & ~7) != 0 || keysymForVirtualKey(vk) == 0)
        return {};
    QString trigger;
    if (modifiers & 2)
        trigger += QStringLiteral("CTRL+");
    if (modifiers & 1)
        trigger += QStringLiteral("ALT+");
    if (modifiers & 4)
        trigger += QStringLiteral("SHIFT+");
    // The key's unshifted symbol, as the XDG shortcuts format wants: "a", not "A".
    if (isLetter(vk))
        return trigger + QChar(vk - 'A' + 'a');
    if (isDigit(vk))
        return trigger + QChar(vk);
    if (isFunctionKey(vk))
        return trigger + QStringLiteral("F%1").arg(vk - 0x70 + 1);
    return trigger + QString::fromLatin1(fixedEntry(vk)->keysymName);
}

} // namespace cfx
