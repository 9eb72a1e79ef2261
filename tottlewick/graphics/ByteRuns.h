// Short byte runs stored inline: mingw sends every memcpy and memset of unknown length to msvcrt, and that
// call costs more than the few bytes of a typical shape run or fill row.
#pragma once

#include <cstdint>
#include <cstring>

// Stores `count` bytes of the repeated pattern: 4 bytes at a time, then 2, then 1.
inline void fillBytes(std::uint8_t* out, std::uint32_t count, std::uint32_t pattern) {
    for (; count >= 4; count -= 4, out += 4) std::memcpy(out, &pattern, 4);
    if (count >= 2) {
        std::memcpy(out, &pattern, 2);
        out += 2;
        count -= 2;
    }
    if (count) *out = static_cast<std::uint8_t>(pattern);
}

// Copies `count` bytes the same way.
inline void copyBytes(std::uint8_t* out, const std::uint8_t* in, std::uint32_t count) {
    for (; count >= 4; count -= 4, out += 4, in += 4) std::memcpy(out, in, 4);
    if (count >= 2) {
        std::memcpy(out, in, 2);
        out += 2;
        in += 2;
        count -= 2;
    }
    if (count) *out = *in;
}
