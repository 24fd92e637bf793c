#include "platform/HotkeyService.h"

#include <gtest/gtest.h>

using namespace cfx;

namespace {
// The choice, and whether the portal was asked for.
std::pair<HotkeyBackendChoice, bool> choose(const QString& forced, const QString& waylandDisplay,
                                            const QString& sessionType, PortalProbe portal) {
    bool asked = false;
    const HotkeyBackendChoice c = chooseHotkeyBackend(forced, waylandDisplay, sessionType, [&] {
        asked = true;
        return portal;
    });
    return {c, asked};
}
} // namespace

TEST(HotkeyBackend, WaylandSessionsUseThePortalWhenTheDesktopOffersIt) {
    for (const auto& [display, type] :
         {std::pair<QString, QString>{"wayland-0", ""}, {"", "wayland"}, {"wayland-1", "x11"}}) {
        auto [c, asked] = choose({}, display, type, PortalProbe::Offered);
        EXPECT_EQ(c.backend, HotkeyBackend::Portal);
        EXPECT_FALSE(c.portalMissing);
        // Without the portal: the X11 grabs, and the user is told.
        std::tie(c, asked) = choose({}, display, type, PortalProbe::NotOffered);
        EXPECT_EQ(c.backend, HotkeyBackend::X11);
        EXPECT_TRUE(c.portalMissing);
        // A portal slow to answer is no missing portal: it is tried.
        std::tie(c, asked) = choose({}, display, type, PortalProbe::NoAnswer);
        EXPECT_EQ(c.backend, HotkeyBackend::Portal);
        EXPECT_FALSE(c.portalMissing);
    }
}

TEST(HotkeyBackend, X11SessionsUseGrabsWithoutAskingTheBus) {
    for (const QString& type : {QString(), QString("x11"), QString("tty")}) {
        const auto [c, asked] = choose({}, {}, type, PortalProbe::Offered);
        EXPECT_EQ(c.backend, HotkeyBackend::X11);
        EXPECT_FALSE(c.portalMissing);
        EXPECT_FALSE(asked);
    }
}

TEST(HotkeyBackend, AForcedBackendWinsAndAnUnknownOneIsIgnored) {
    auto [c, asked] = choose("x11", "wayland-0", "wayland", PortalProbe::Offered);
    EXPECT_EQ(c.backend, HotkeyBackend::X11);
    EXPECT_FALSE(c.portalMissing);
    EXPECT_FALSE(asked);
    std::tie(c, asked) = choose("portal", {}, "x11", PortalProbe::NotOffered);
    EXPECT_EQ(c.backend, HotkeyBackend::Portal);
    EXPECT_FALSE(asked);
    EXPECT_EQ(choose("Portal", {}, {}, PortalProbe::NotOffered).first.backend,
              HotkeyBackend::Portal);
    EXPECT_EQ(choose("kde", "wayland-0", {}, PortalProbe::Offered).first.backend,
              HotkeyBackend::Portal);
    EXPECT_EQ(choose("kde", {}, {}, PortalProbe::Offered).first.backend, HotkeyBackend::X11);
}
