// Bounded pseudo-random numbers over the standard library's generator, and shuffles of 16-bit values.
#pragma once

#include <cstdint>

// The 15-bit source behind every draw: null restores the standard library's generator (tests seed it with
// srand, or script the draws). Returns the previous source.
using RandSource = std::uint16_t (*)();
RandSource RandSetSource(RandSource source);

// lo + rand15 * (hi - lo) / 32768, the quotient cut to 16 bits: a value in [lo, hi).
std::int16_t RandRange(std::int16_t lo, std::int16_t hi);
void RandShuffle(std::int16_t* values, std::int16_t n);
// Steps *index on; at n the values are reshuffled and the index starts again at 0.
std::int16_t RandShuffleNext(std::int16_t* values, std::int16_t n, std::int16_t* index);
