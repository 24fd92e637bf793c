#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

// What every fuzz target needs: a failed property stops the run where libFuzzer sees it, and the
// input as bytes.
inline void check(bool condition) {
    if (!condition)
        std::abort();
}

inline QByteArray fuzzBytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)};
}
