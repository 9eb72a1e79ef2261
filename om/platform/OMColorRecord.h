// The colour record shared by the application, windows and controls.
#pragma once

#include <cstdint>

// An 8-bit component v is stored as v << 8. index: -1 = use the components, 0-255 = that entry of the
// shared palette, -2 = no colour (nothing is erased).
struct OMColorRecord {
    std::uint16_t red;
    std::uint16_t green;
    std::uint16_t blue;
    std::int32_t index;
};

inline constexpr std::int32_t kColorFromComponents = -1;
inline constexpr std::int32_t kNoColor = -2;
