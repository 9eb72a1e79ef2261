// The colour record shared by the application, windows, controls and canvases.
#pragma once

#include <cstdint>

inline constexpr std::int32_t kColorFromComponents = -1;
inline constexpr std::int32_t kNoColor = -2;

// An 8-bit component v is stored as v << 8 and read back as the high byte. index: -1 = use the
// components, 0-255 = that entry of the shared palette, -2 = no colour (an erase only records it), any
// other negative value is invalid. The default record is black by components.
struct OMColorRecord {
    std::uint16_t red = 0;
    std::uint16_t green = 0;
    std::uint16_t blue = 0;
    std::int32_t index = kColorFromComponents;
};

// A colour given by 8-bit components.
inline constexpr OMColorRecord colorOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return {static_cast<std::uint16_t>(red << 8), static_cast<std::uint16_t>(green << 8),
            static_cast<std::uint16_t>(blue << 8), kColorFromComponents};
}
