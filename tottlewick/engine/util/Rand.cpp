// Random ranges and shuffles over one replaceable 15-bit source.
#include "Rand.h"

#include <cstdlib>
#include <utility>

namespace {

RandSource source = nullptr;

}  // namespace

RandSource RandSetSource(RandSource next) {
    return std::exchange(source, next);
}

std::int16_t RandRange(std::int16_t lo, std::int16_t hi) {
    const std::int32_t draw = (source ? source() : std::rand()) & 0x7FFF;
    auto offset = static_cast<std::int16_t>(draw * (hi - lo) / 32768);
    return static_cast<std::int16_t>(lo + offset);
}

void RandShuffle(std::int16_t* values, std::int16_t n) {
    if (!values) return;
    for (std::int16_t k = n; k >= 2; --k) std::swap(values[RandRange(0, k)], values[k - 1]);
}

std::int16_t RandShuffleNext(std::int16_t* values, std::int16_t n, std::int16_t* index) {
    if (!values || !index || n <= 0) return 0;
    if (++*index >= n) {
        RandShuffle(values, n);
        *index = 0;
    }
    return values[*index];
}
