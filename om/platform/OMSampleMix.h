// The sample arithmetic of the wave mixer and the volume tables of wave sounds: unsigned 8-bit samples with
// 128 as silence, sums in 16-bit signed accumulators, every result clamped to 0..255.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kVolumeTableSize = 256;

// dest = clamp(acc + 128)
void outputMix(std::uint8_t* dest, const std::int16_t* acc, std::size_t n);
// dest = table[src]
void copyThroughTable(std::uint8_t* dest, const std::uint8_t* src, std::size_t n, const std::uint8_t* table);
// acc += src - 128
void accumulate(std::int16_t* acc, const std::uint8_t* src, std::size_t n);
// acc += table[src] - 128
void accumulateThroughTable(std::int16_t* acc, const std::uint8_t* src, std::size_t n, const std::uint8_t* table);
// dest = clamp(dest + src - 128)
void addClamped(std::uint8_t* dest, const std::uint8_t* src, std::size_t n);
// dest = clamp(dest + table[src] - 128)
void addThroughTable(std::uint8_t* dest, const std::uint8_t* src, std::size_t n, const std::uint8_t* table);
// dest = clamp(dest - src + 128)
void subtractClamped(std::uint8_t* dest, const std::uint8_t* src, std::size_t n);
// dest = clamp(dest - table[src] + 128)
void subtractThroughTable(std::uint8_t* dest, const std::uint8_t* src, std::size_t n, const std::uint8_t* table);

// entry i = ((i - 128) x volume) / 100 + 128, the division truncating toward zero; volume is 0..100.
void buildVolumeTable(std::uint8_t* table, std::int32_t volume);
// entry i = now[i] - before[i] + 128: added through, it turns samples made with `before` into `now`.
void buildDifferenceTable(std::uint8_t* table, const std::uint8_t* before, const std::uint8_t* now);
