// Short byte runs stored inline: mingw sends every memcpy and memset of unknown length to msvcrt, and that
// call costs more than the few bytes of a typical shape run or fill row.
#pragma once

#include <cstdint>
#include <cstring>

// Stores `count` bytes of the repeated pattern: 16 bytes a round while 16 remain (long fills are common in
// shapes), then 4 at a time, then 2, then 1.
inline void fillBytes(std::uint8_t* out, std::uint32_t count, std::uint32_t pattern) {
    for (; count >= 16; count -= 16, out += 16) {
        std::memcpy(out, &pattern, 4);
        std::memcpy(out + 4, &pattern, 4);
        std::memcpy(out + 8, &pattern, 4);
        std::memcpy(out + 12, &pattern, 4);
    }
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
    for (; count >= 16; count -= 16, out += 16, in += 16) {
        std::memcpy(out, in, 4);
        std::memcpy(out + 4, in + 4, 4);
        std::memcpy(out + 8, in + 8, 4);
        std::memcpy(out + 12, in + 12, 4);
    }
    for (; count >= 4; count -= 4, out += 4, in += 4) std::memcpy(out, in, 4);
    if (count >= 2) {
        std::memcpy(out, in, 2);
        out += 2;
        in += 2;
        count -= 2;
    }
    if (count) *out = *in;
}
