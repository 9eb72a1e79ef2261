// Small utilities kept with the play layer: seeding the run-time random generator, and comparing and
// searching byte ranges.
#pragma once

#include <cstdint>

// Seeds from the engine's millisecond clock (start-up does this), or from a given value.
void SndSeedRandomTime();
void SndSeedRandom(std::uint32_t seed);
// The sign of the byte comparison of two ranges; a null pointer sorts first, two nulls are equal.
std::int16_t MemCompareRange(const void* a, const void* b, std::uint32_t length);
// The first byte equal to (MemFindByte) or different from (MemFindOtherByte) value among *length bytes:
// its index goes to *length and the answer is 1; 0 when there is none.
std::int16_t MemFindByte(const void* range, std::uint32_t* length, std::uint8_t value);
std::int16_t MemFindOtherByte(const void* range, std::uint32_t* length, std::uint8_t value);
