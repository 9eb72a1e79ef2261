// Random seeds and byte-range comparison and search.
#include "SndUtil.h"

#include <cstdlib>
#include <cstring>

#include "EngineClock.h"

namespace {

template <typename Match>
std::int16_t findFirst(const void* range, std::uint32_t* length, Match match) {
    if (!range || !length) return 0;
    const auto* bytes = static_cast<const std::uint8_t*>(range);
    for (std::uint32_t i = 0; i < *length; ++i) {
        if (match(bytes[i])) {
            *length = i;
            return 1;
        }
    }
    return 0;
}

}  // namespace

void SndSeedRandomTime() { std::srand(ClockMilliseconds()); }

void SndSeedRandom(std::uint32_t seed) { std::srand(seed); }

std::int16_t MemCompareRange(const void* a, const void* b, std::uint32_t length) {
    if (!a || !b) return a ? 1 : b ? -1 : 0;
    int order = std::memcmp(a, b, length);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

std::int16_t MemFindByte(const void* range, std::uint32_t* length, std::uint8_t value) {
    return findFirst(range, length, [value](std::uint8_t b) { return b == value; });
}

std::int16_t MemFindOtherByte(const void* range, std::uint32_t* length, std::uint8_t value) {
    return findFirst(range, length, [value](std::uint8_t b) { return b != value; });
}
