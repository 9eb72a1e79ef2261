// Bounded pseudo-random numbers over the standard library's generator, and shuffles of 16-bit values.
#pragma once

#include <cstdint>

// lo + rand15 * (hi - lo) / 32768, the quotient cut to 16 bits: a value in [lo, hi).
std::int16_t RandRange(std::int16_t lo, std::int16_t hi);
void RandShuffle(std::int16_t* values, std::int16_t n);
// Steps *index on; at n the values are reshuffled and the index starts again at 0.
std::int16_t RandShuffleNext(std::int16_t* values, std::int16_t n, std::int16_t* index);
