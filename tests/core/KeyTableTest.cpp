#include "core/KeyTable.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <gtest/gtest.h>

using namespace cfx;

TEST(KeyTable, VirtualKeysMapToTheKeysymsOfTheirKeys) {
    EXPECT_EQ(keysymForVirtualKey('A'), quint32(XK_a));
    EXPECT_EQ(keysymForVirtualKey('Z'), quint32(XK_z));
    EXPECT_EQ(keysymForVirtualKey('0'), quint32(XK_0));
    EXPECT_EQ(keysymForVirtualKey('9'), quint32(XK_9));
    EXPECT_EQ(keysymForVirtualKey(0x70), quint32(XK_F1));
    EXPECT_EQ(keysymForVirtualKey(0x74), quint32(XK_F5));
    EXPECT_EQ(keysymForVirtualKey(0x87), quint32(XK_F24));
    EXPECT_EQ(keysymForVirtualKey(0x60), quint32(XK_KP_0));
    EXPECT_EQ(keysymForVirtualKey(0x69), quint32(XK_KP_9));
    EXPECT_EQ(keysymForVirtualKey(0x6B), quint32(XK_KP_Add));
    EXPECT_EQ(keysymForVirtualKey(0x6F), quint32(XK_KP_Divide));
    EXPECT_EQ(keysymForVirtualKey(0x21), quint32(XK_Prior));
    EXPECT_EQ(keysymForVirtualKey(0x22), quint32(XK_Next));
    EXPECT_EQ(keysymForVirtualKey(0x2D), quint32(XK_Insert));
    EXPECT_EQ(keysymForVirtualKey(0x2E), quint32(XK_Delete));
    EXPECT_EQ(keysymForVirtualKey(0x25), quint32(XK_Left));
    EXPECT_EQ(keysymForVirtualKey(0x28), quint32(XK_Down));
    EXPECT_EQ(keysymForVirtualKey(0x20), quint32(XK_space));
    EXPECT_EQ(keysymForVirtualKey(0x0D), quint32(XK_Return));
    EXPECT_EQ(keysymForVirtualKey(0x09), quint32(XK_Tab));
    EXPECT_EQ(keysymForVirtualKey(0x1B), quint32(XK_Escape));
    EXPECT_EQ(keysymForVirtualKey(0x13), quint32(XK_Pause));
    EXPECT_EQ(keysymForVirtualKey(0xB3), quint32(XF86XK_AudioPlay));
}

TEST(KeyTable, LayoutDependentAndUnknownKeysAreRefused) {
    // ; = , - . / ` [ \ ] ' and the extra key of European keyboards.
    for (int vk : {0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE, 0xE2})
        EXPECT_EQ(keysymForVirtualKey(vk), 0u) << vk;
    // Nothing, mouse buttons, bare modifiers and the lock keys are no hotkeys either.
    for (int vk : {0x00, 0x01, 0x02, 0x10, 0x11, 0x12, 0x14, 0x90, 0x91, 0x88, 0xFF, 300, -1})
        EXPECT_EQ(keysymForVirtualKey(vk), 0u) << vk;
    EXPECT_EQ(virtualKeyForKeysym(XK_semicolon), 0);
    EXPECT_EQ(virtualKeyForKeysym(XK_Shift_L), 0);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Semicolon, false), 0);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Control, false), 0);
}

TEST(KeyTable, EveryUsableKeyRoundTripsThroughKeysymAndQtKey) {
    int usable = 0;
    for (int vk = 1; vk < 256; ++vk) {
        const quint32 sym = keysymForVirtualKey(vk);
        if (sym == 0) {
            EXPECT_EQ(qtKeyForVirtualKey(vk), 0) << vk;
            continue;
        }
        ++usable;
        EXPECT_EQ(virtualKeyForKeysym(sym), vk) << vk;
        bool keypad = false;
        const int qtKey = qtKeyForVirtualKey(vk, &keypad);
        ASSERT_NE(qtKey, 0) << vk;
        EXPECT_EQ(virtualKeyForQtKey(qtKey, keypad), vk) << vk;
        EXPECT_FALSE(virtualKeyName(vk).isEmpty()) << vk;
    }
    // 26 letters, 10 digits, 24 function keys, 16 on the number pad and the fixed others.
    EXPECT_GE(usable, 26 + 10 + 24 + 16 + 20);
}

TEST(KeyTable, OtherSpellingsOfAKeyFindTheSameVirtualKey) {
    EXPECT_EQ(virtualKeyForKeysym(XK_A), 'A');       // shifted letter
    EXPECT_EQ(virtualKeyForKeysym(XK_KP_End), 0x61); // number pad with NumLock off
    EXPECT_EQ(virtualKeyForKeysym(XK_KP_Delete), 0x6E);
    // A digit on the number pad is not the digit of the main row, and back.
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_5, true), 0x65);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_5, false), '5');
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Home, true), 0x67);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Home, false), 0x24);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Enter, true), 0x0D);
    EXPECT_EQ(virtualKeyForQtKey(Qt::Key_Backtab, false), 0x09);
}

TEST(KeyTable, HotkeyTextNamesModifiersInFileConvention) {
    EXPECT_EQ(hotkeyText(0, 0), "None");
    EXPECT_EQ(hotkeyText(1, 0x74), "Alt+F5");
    EXPECT_EQ(hotkeyText(4, 0x74), "Shift+F5");
    EXPECT_EQ(hotkeyText(3, 0x74), "Ctrl+Alt+F5");
    EXPECT_EQ(hotkeyText(6, 'S'), "Ctrl+Shift+S");
    EXPECT_EQ(hotkeyText(0, 0x63), "Num 3");
    EXPECT_EQ(hotkeyText(2, 0xBA), "Ctrl+Key 186");
}

TEST(KeyTable, CombinationsBecomeXdgShortcutTriggers) {
    EXPECT_EQ(portalTrigger(2, 0x74), QString("CTRL+F5"));
    EXPECT_EQ(portalTrigger(7, 0x87), QString("CTRL+ALT+SHIFT+F24"));
    EXPECT_EQ(portalTrigger(6, 'S'), QString("CTRL+SHIFT+s")); // the key's unshifted symbol
    EXPECT_EQ(portalTrigger(1, '7'), QString("ALT+7"));
    EXPECT_EQ(portalTrigger(0, 0x63), QString("KP_3"));
    EXPECT_EQ(portalTrigger(3, 0x0D), QString("CTRL+ALT+Return"));
    EXPECT_EQ(portalTrigger(4, 0x21), QString("SHIFT+Prior"));
    EXPECT_EQ(portalTrigger(2, 0xB3), QString("CTRL+XF86AudioPlay"));
    // Keys that cannot be hotkeys, and modifier values outside the file's convention.
    EXPECT_EQ(portalTrigger(2, 0), QString());
    EXPECT_EQ(portalTrigger(2, 0xBA), QString());
    EXPECT_EQ(portalTrigger(8, 0x74), QString());
    EXPECT_EQ(portalTrigger(-1, 0x74), QString());
}
