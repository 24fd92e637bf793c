#pragma once

#include <QtGlobal>

namespace cfx {

// Colours as red + 256 * green + 65536 * blue, as the program stores them.
constexpr quint32 kBlackValue = 0;
constexpr quint32 kWhiteValue = 0xFFFFFF;

// Text must reach this contrast ratio against its background to be read comfortably.
constexpr double kMinTextContrast = 4.5;

// The contrast ratio of two colours, 1 (equal) to 21 (black on white), from their relative
// luminance as the web content accessibility guidelines define it.
double contrastRatio(quint32 a, quint32 b);

// Black or white, whichever reads better on the background.
quint32 readableTextOn(quint32 background);

} // namespace cfx
