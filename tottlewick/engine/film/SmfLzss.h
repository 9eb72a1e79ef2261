// The LZSS rule shared by the SMF codecs alz8, ald8, vlz8 and vlx8: a 4096-byte ring window written from
// position 0, and a flag byte before every eight items, least significant bit first:
//
//   flag bit 0: one literal byte
//   flag bit 1: a reference of two bytes
//        b0: 7      4 3      0   b1: 7             0
//           +--------+--------+     +---------------+
//           | len-3  | dist-1 (high 4 bits)  dist-1 (low 8 bits)
//           +--------+--------+     +---------------+
//     length 3-18, distance 1-4096 back from the write position; copied one byte at a time.
//
// Unpacking ends when `count` bytes are out (also inside a reference or a flag byte's items) or when the
// input ends; the window starts unset (streams never refer to bytes before their start).
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kSmfLzssWindow = 4096;

// Calls put(byte) for each unpacked byte; returns how many were put.
template <class Put>
std::size_t SmfLzssUnpack(const std::uint8_t* in, std::size_t length, std::size_t count, Put put) {
    std::uint8_t window[kSmfLzssWindow] = {};
    std::size_t at = 0, out = 0, pos = 0;
    const auto emit = [&](std::uint8_t b) {
        put(b);
        window[pos] = b;
        pos = (pos + 1) & (kSmfLzssWindow - 1);
        ++out;
    };
    while (out < count && at < length) {
        const std::uint8_t flags = in[at++];
        for (int item = 0; item < 8 && out < count && at < length; ++item) {
            if (!(flags >> item & 1)) {
                emit(in[at++]);
                continue;
            }
            if (length - at < 2) return out;
            const std::uint8_t b0 = in[at], b1 = in[at + 1];
            at += 2;
            const std::size_t distance = ((b0 & 0x0Fu) << 8 | b1) + 1;
            std::size_t from = (pos + kSmfLzssWindow - distance) & (kSmfLzssWindow - 1);
            for (std::size_t n = (b0 >> 4) + 3u; n > 0 && out < count; --n) {
                emit(window[from]);
                from = (from + 1) & (kSmfLzssWindow - 1);
            }
        }
    }
    return out;
}
