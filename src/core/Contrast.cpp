#include "core/Contrast.h"

#include <algorithm>
#include <cmath>

namespace cfx {

namespace {

double channel(quint32 value) {
    const double c = static_cast<double>(value & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(quint32 colour) {
    return 0.2126 * channel(colour) + 0.7152 * channel(colour >> 8) +
           0.0722 * channel(colour >> 16);
}

} // namespace

double contrastRatio(quint32 a, quint32 b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

quint32 readableTextOn(quint32 background) {
    return contrastRatio(background, kBlackValue) >= contrastRatio(background, kWhiteValue)
               ? kBlackValue
               : kWhiteValue;
}

} // namespace cfx
