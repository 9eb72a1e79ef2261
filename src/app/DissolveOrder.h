// The order in which the dissolve commands visit the 20 x 15-pixel blocks of a 32 x 32 grid over 640 x 480:
// a 10-bit shift register that starts at 576, shifts right and, when the bit shifted out is 1, takes the
// exclusive-or with 576. Every block from 1 to 1023 once except 576 (1022 blocks; block 0 never comes).
#pragma once

#include <cstdint>
#include <vector>

inline constexpr std::int32_t kDissolveColumns = 32;
inline constexpr std::int32_t kDissolveBlockWidth = 20;
inline constexpr std::int32_t kDissolveBlockHeight = 15;

std::vector<std::uint16_t> dissolveOrder();
