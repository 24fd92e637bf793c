#include "core/HotkeyRegistration.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

using namespace cfx;

namespace {

// A desktop where some combinations are held by other programs.
class FakeGrabber : public HotkeyGrabber {
public:
    std::set<std::pair<int, int>> heldElsewhere;
    std::map<int, std::pair<int, int>> held; // id -> (modifiers, key)
    int grabs = 0;

    bool grab(int id, int modifiers, int key) override {
        ++grabs;
        if (heldElsewhere.count({modifiers, key}) || held.count(id))
            return false;
        held[id] = {modifiers, key};
        return true;
    }
    void release(int id) override { held.erase(id); }
};

HotkeySet makeSet(std::array<int, 4> mods, std::array<int, 4> keys, std::array<bool, 4> on) {
    HotkeySet s;
    s.modifiers = mods;
    s.keyCodes = keys;
    s.enabled = on;
    return s;
}

} // namespace

TEST(HotkeyRegistration, RegistersOnlyEnabledHotkeysAndKeepsEveryValue) {
    HotkeyRegistrations held;
    FakeGrabber desk;
    const HotkeySet set =
        makeSet({3, 3, 3, 2}, {0x74, 0x75, 0x76, 0x77}, {true, false, true, false});
    EXPECT_EQ(registerHotkeys(held, set, desk), 0);
    EXPECT_EQ(held.registered, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_EQ(held.keyCodes, (std::array<int, 4>{0x74, 0x75, 0x76, 0x77}));
    EXPECT_EQ(held.modifiers, (std::array<int, 4>{3, 3, 3, 2}));
    EXPECT_EQ(desk.held.size(), 2u);
    EXPECT_EQ(desk.held[2], std::make_pair(3, 0x76));

    releaseHotkeys(held, desk);
    EXPECT_TRUE(desk.held.empty());
    EXPECT_EQ(held.registered, (std::array<bool, 4>{}));
}

TEST(HotkeyRegistration, CountsRefusedAndDuplicateCombinationsButNotMissingKeys) {
    HotkeyRegistrations held;
    FakeGrabber desk;
    desk.heldElsewhere.insert({2, 'S'});
    // 0 and 1 share a combination; 2 is held by another program; 3 has no key.
    const HotkeySet set = makeSet({1, 1, 2, 0}, {0x74, 0x74, 'S', 0}, {true, true, true, true});
    EXPECT_EQ(registerHotkeys(held, set, desk), 2);
    EXPECT_EQ(held.registered, (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(desk.held.size(), 1u);

    // An enabled hotkey without a key alone is no failure.
    HotkeyRegistrations fresh;
    FakeGrabber empty;
    EXPECT_EQ(registerHotkeys(fresh, makeSet({2, 0, 0, 0}, {0, 0, 0, 0}, {true, true, true, true}),
                              empty),
              0);
    EXPECT_EQ(empty.grabs, 0);
}

TEST(HotkeyRegistration, RegisteringAgainFirstGivesBackWhatWasHeld) {
    HotkeyRegistrations held;
    FakeGrabber desk;
    registerHotkeys(held, makeSet({1, 0, 0, 0}, {0x74, 0, 0, 0}, {1, 0, 0, 0}), desk);
    // The same identifier with a new key: no stale grab is left and no failure is counted.
    EXPECT_EQ(registerHotkeys(held, makeSet({4, 0, 0, 0}, {0x75, 0, 0, 0}, {1, 0, 0, 0}), desk), 0);
    ASSERT_EQ(desk.held.size(), 1u);
    EXPECT_EQ(desk.held[0], std::make_pair(4, 0x75));
}

TEST(HotkeyRegistration, FailMessageIsThreeCrLfLinesWithTheCount) {
    EXPECT_EQ(hotkeyFailText(1), "Can not register 1 Hotkeys.\r\n"
                                 "Duplicate keys may be assigned or keys\r\n"
                                 "registered by other running applications.");
    EXPECT_TRUE(hotkeyFailText(3).startsWith("Can not register 3 Hotkeys.\r\n"));
    EXPECT_EQ(hotkeyFailTitle(), "Hotkey Assign");
}
