#pragma once

#include <cstdint>

namespace cfx {

// Which of the seven segments of a digit are lit. Bit i is segment i in the usual order:
// a (top), b (upper right), c (lower right), d (bottom), e (lower left), f (upper left),
// g (middle).

enum Segment : int { SegA = 0, SegB, SegC, SegD, SegE, SegF, SegG };
inline constexpr int kSegmentCount = SegG + 1;

// Segments of a digit 0-9; any other value lights nothing.
std::uint8_t segmentMask(int digit);

// The picture of a digit that the clock has not driven yet: a single dash.
std::uint8_t idleSegmentMask();

inline bool segmentLit(std::uint8_t mask, int segment) {
    return (mask >> segment) & 1U;
}

} // namespace cfx
