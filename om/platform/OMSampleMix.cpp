// Sample arithmetic: plain loops over 16-bit sums with one clamp per sample.
#include "OMSampleMix.h"

namespace {

constexpr int kSilence = 128;

inline std::uint8_t clamp(int value) {
    return static_cast<std::uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

}  // namespace

void outputMix(std::uint8_t* dest, const std::int16_t* acc, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) dest[i] = clamp(static_cast<std::int16_t>(acc[i] + kSilence));
}

void copyThroughTable(std::uint8_t* dest, const std::uint8_t* src, std::size_t n, const std::uint8_t* table) {
    for (std::size_t i = 0; i < n; ++i) dest[i] = table[src[i]];
}

void accumulate(std::int16_t* acc, const std::uint8_t* src, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) acc[i] = static_cast<std::int16_t>(acc[i] + src[i] - kSilence);
}

void accumulateThroughTable(std::int16_t* acc, const std::uint8_t* src, std::size_t n, const std::uint8_t* table) {
    for (std::size_t i = 0; i < n; ++i) acc[i] = static_cast<std::int16_t>(acc[i] + table[src[i]] - kSilence);
}

void addClamped(std::uint8_t* dest, const std::uint8_t* src, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) dest[i] = clamp(dest[i] + src[i] - kSilence);
}

void addThroughTable(std::uint8_t* dest, const std::uint8_t* src, std::size_t n, const std::uint8_t* table) {
    for (std::size_t i = 0; i < n; ++i) dest[i] = clamp(dest[i] + table[src[i]] - kSilence);
}

void subtractClamped(std::uint8_t* dest, const std::uint8_t* src, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) dest[i] = clamp(dest[i] - src[i] + kSilence);
}

void subtractThroughTable(std::uint8_t* dest, const std::uint8_t* src, std::size_t n, const std::uint8_t* table) {
    for (std::size_t i = 0; i < n; ++i) dest[i] = clamp(dest[i] - table[src[i]] + kSilence);
}

void buildVolumeTable(std::uint8_t* table, std::int32_t volume) {
    for (int i = 0; i < int(kVolumeTableSize); ++i)
        table[i] = static_cast<std::uint8_t>((i - kSilence) * volume / 100 + kSilence);
}

// A step from volume 100 to 0 asks +128 of sample 0, one more than a byte holds: the entry is clamped
// rather than wrapped to -128.
void buildDifferenceTable(std::uint8_t* table, const std::uint8_t* before, const std::uint8_t* now) {
    for (std::size_t i = 0; i < kVolumeTableSize; ++i) table[i] = clamp(now[i] - before[i] + kSilence);
}
