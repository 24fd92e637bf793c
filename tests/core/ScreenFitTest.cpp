#include "core/Contrast.h"
#include "core/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace cfx;

namespace {
// 1600 x 1000 at a scale factor of 2, less a panel bar of 20 at the top.
const QRect kArea(0, 20, 800, 480);
} // namespace

TEST(WindowPlacement, AWindowThatFitsStaysWhereItIs) {
    EXPECT_EQ(placeWindow(QRect(100, 100, 300, 200), kArea), QPoint(100, 100));
    // Touching the edges is inside.
    EXPECT_EQ(placeWindow(QRect(500, 300, 300, 200), kArea), QPoint(500, 300));
}

TEST(WindowPlacement, AWindowOffTheAreaIsMovedJustInside) {
    EXPECT_EQ(placeWindow(QRect(650, 400, 300, 200), kArea), QPoint(500, 300));
    // Above the area (where the title bar would be out of reach) and left of it.
    EXPECT_EQ(placeWindow(QRect(-40, -30, 300, 200), kArea), QPoint(0, 20));
    // Larger than the area: the top-left corner, with the title bar, stays on the screen.
    EXPECT_EQ(placeWindow(QRect(300, 200, 900, 600), kArea), QPoint(0, 20));
}

TEST(WindowPlacement, AWindowOverTheKeptClearRectangleMovesBesideIt) {
    const QRect button(380, 250, 30, 26);
    // Centred over the button: the shortest way off it that stays inside the area (above).
    const QPoint p = placeWindow(QRect(250, 150, 300, 180), kArea, button);
    EXPECT_FALSE(QRect(p, QSize(300, 180)).intersects(button));
    EXPECT_TRUE(kArea.contains(QRect(p, QSize(300, 180))));
    EXPECT_EQ(p, QPoint(250, 70));
    // Clear of the button already: unchanged.
    EXPECT_EQ(placeWindow(QRect(420, 100, 300, 180), kArea, button), QPoint(420, 100));
    // Off the area and over the button at once: both are mended (here below the button).
    EXPECT_EQ(placeWindow(QRect(300, 240, 400, 200), kArea, button), QPoint(300, 276));
}

TEST(WindowPlacement, AWindowTooLargeToAvoidTheButtonGoesBelowIt) {
    const QRect button(380, 250, 30, 26);
    const QPoint p = placeWindow(QRect(0, 20, 800, 470), kArea, button);
    EXPECT_EQ(p, QPoint(0, 276));
}

TEST(Contrast, RatiosOfKnownPairs) {
    EXPECT_NEAR(contrastRatio(kBlackValue, kWhiteValue), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(kWhiteValue, kWhiteValue), 1.0, 1e-9);
    // Pure red (255) with white is 4.0:1, too little for text; with black 5.25:1.
    EXPECT_NEAR(contrastRatio(255, kWhiteValue), 4.0, 0.01);
    EXPECT_NEAR(contrastRatio(255, kBlackValue), 5.25, 0.01);
    // The order of the two colours does not matter; blue weighs least, green most.
    EXPECT_DOUBLE_EQ(contrastRatio(0xFF0000, kBlackValue), contrastRatio(kBlackValue, 0xFF0000));
    EXPECT_LT(contrastRatio(0xFF0000, kBlackValue), contrastRatio(0x00FF00, kBlackValue));
}

TEST(Contrast, ReadableTextIsBlackOnLightAndWhiteOnDarkColours) {
    EXPECT_EQ(readableTextOn(255), kBlackValue);      // red
    EXPECT_EQ(readableTextOn(12320251), kBlackValue); // pale yellow
    EXPECT_EQ(readableTextOn(0x221E1E), kWhiteValue); // a dark base
    EXPECT_EQ(readableTextOn(0x800000), kWhiteValue); // dark blue
    for (quint32 c : {0u, 255u, 0x00FF00u, 0xFF0000u, 0x808080u, 12320251u, 0xFFFFFFu})
        EXPECT_GE(contrastRatio(c, readableTextOn(c)), kMinTextContrast) << c;
}
