// Regions of a ring block and the copy and fill that follow their split.
#include "SndRing.h"

#include <algorithm>
#include <cstring>

SndRingRegion SndRingRegionOf(std::uint32_t size, std::uint32_t start, std::uint32_t length) {
    SndRingRegion region;
    if (size == 0 || length == 0) return region;
    start %= size;
    length = std::min(length, size);
    region.offset[0] = start;
    region.length[0] = std::min(length, size - start);
    region.length[1] = length - region.length[0];
    region.pieces = region.length[1] ? 2 : 1;
    return region;
}

void SndRingCopy(std::uint8_t* ring, std::uint32_t size, std::uint32_t start, const std::uint8_t* from,
                 std::uint32_t length) {
    SndRingRegion region = SndRingRegionOf(size, start, length);
    for (int i = 0; i < region.pieces; ++i) {
        std::memcpy(ring + region.offset[i], from, region.length[i]);
        from += region.length[i];
    }
}

void SndRingFill(std::uint8_t* ring, std::uint32_t size, std::uint32_t start, std::uint8_t value,
                 std::uint32_t length) {
    SndRingRegion region = SndRingRegionOf(size, start, length);
    for (int i = 0; i < region.pieces; ++i) std::memset(ring + region.offset[i], value, region.length[i]);
}
