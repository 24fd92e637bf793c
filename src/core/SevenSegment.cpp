#include "core/SevenSegment.h"

#include <array>

namespace cfx {

namespace {
constexpr std::uint8_t bits(std::initializer_list<int> segments) {
    std::uint8_t m = 0;
    for (int s : segments)
        m = static_cast<std::uint8_t>(m | (1U << s));
    return m;
}

constexpr std::array<std::uint8_t, 10> kDigits = {
    bits({SegA, SegB, SegC, SegD, SegE, SegF}),       // 0
    bits({SegB, SegC}),                               // 1
    bits({SegA, SegB, SegG, SegE, SegD}),             // 2
    bits({SegA, SegB, SegG, SegC, SegD}),             // 3
    bits({SegF, SegG, SegB, SegC}),                   // 4
    bits({SegA, SegF, SegG, SegC, SegD}),             // 5
    bits({SegA, SegF, SegG, SegE, SegC, SegD}),       // 6
    bits({SegA, SegB, SegC}),                         // 7
    bits({SegA, SegB, SegC, SegD, SegE, SegF, SegG}), // 8
    bits({SegA, SegB, SegC, SegD, SegF, SegG}),       // 9
};
} // namespace

std::uint8_t segmentMask(int digit) {
    return digit >= 0 && digit <= 9 ? kDigits[static_cast<std::size_t>(digit)] : 0;
}

std::uint8_t idleSegmentMask() {
    return bits({SegG});
}

} // namespace cfx
