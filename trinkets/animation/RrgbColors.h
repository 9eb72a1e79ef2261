// RRGB colour tables: 256 entries of red, green and blue, each a big-endian 16-bit value whose high byte
// is the 8-bit component.
#pragma once

#include <cstddef>
#include <cstdint>

#include "OMColorRecord.h"

inline constexpr std::size_t kRrgbEntries = 256;
inline constexpr std::size_t kRrgbSize = kRrgbEntries * 6;

// Fills the 256 records (component byte << 8, index -1) from the data; false, with the table untouched,
// when the data holds fewer than 256 entries.
[[nodiscard]] bool convertColorTable(const std::uint8_t* data, std::size_t size, OMColorRecord* table);
