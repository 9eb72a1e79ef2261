// Colours packed into a deep canvas's pixel format: the red, green and blue masks a canvas gives and the
// shifts that bring 16-bit colour components under them.
#pragma once

#include <array>
#include <cstdint>

#include "OMColorRecord.h"

// A surface's pixel format: per component a mask and the right shift that brings a 16-bit colour
// component (8-bit value << 8) under it; a negative shift is a left shift, for masks above bit 15.
struct PixelFormat {
    std::int32_t bytesPerPixel = 0;
    std::array<std::uint32_t, 3> masks{};
    std::array<std::int32_t, 3> shifts{};
};

// The format of a canvas of that many bits per pixel with those red, green and blue masks: each shift is
// the number of clear bits above the mask's highest set bit within 16 bits.
PixelFormat pixelFormatOf(std::int32_t bitsPerPixel, std::uint32_t red, std::uint32_t green, std::uint32_t blue);

// One colour in the format: (red >> sr & maskR) | (green >> sg & maskG) | (blue >> sb & maskB).
std::uint32_t packColor(const OMColorRecord& color, const PixelFormat& format);

// The 256 colours of a table in the format.
using PackedColors = std::array<std::uint32_t, 256>;
PackedColors packColors(const OMColorRecord* table, const PixelFormat& format);
