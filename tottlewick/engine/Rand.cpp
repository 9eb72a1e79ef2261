// Random ranges and shuffles; tests seed the generator with srand.
#include "Rand.h"

#include <cstdlib>
#include <utility>

std::int16_t RandRange(std::int16_t lo, std::int16_t hi) {
    std::int32_t draw = std::rand() & 0x7FFF;
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
