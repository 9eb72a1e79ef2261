// The arithmetic of palette fades: the level reached after some time, and one component at a level.
#pragma once

#include <cstdint>

constexpr std::uint16_t kFadeFull = 256;

// The level (0 to 256) after `elapsed` of `duration` milliseconds: in `steps` equal parts, or smoothly
// when steps is 0. The duration must not be 0.
std::uint16_t fadeLevelAt(std::uint32_t elapsed, std::uint32_t duration, std::uint16_t steps);
// A 16-bit component moved from `from` towards `to`: level 256 gives `to` exactly.
std::uint16_t fadeMix(std::uint16_t from, std::uint16_t to, std::uint16_t level);
