// The audio data block of a sample seen as a ring by its writers: a region (start, length) is handed out
// as one piece, or as two when it runs past the end, the second from the block's start; copying bytes into
// a region and filling one with a byte value follow the same split. Without Win32.
#pragma once

#include <cstdint>

struct SndRingRegion {
    std::uint32_t offset[2] = {};
    std::uint32_t length[2] = {};
    int pieces = 0;
};

// The region of `length` bytes (at most the ring's size) from `start` (taken modulo the size).
SndRingRegion SndRingRegionOf(std::uint32_t size, std::uint32_t start, std::uint32_t length);
void SndRingCopy(std::uint8_t* ring, std::uint32_t size, std::uint32_t start, const std::uint8_t* from,
                 std::uint32_t length);
void SndRingFill(std::uint8_t* ring, std::uint32_t size, std::uint32_t start, std::uint8_t value,
                 std::uint32_t length);
