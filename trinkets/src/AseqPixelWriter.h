// Drawing ASEQ frames onto canvases deeper than 8 bits: every colour index is turned into the canvas's
// pixel format through a 256-entry colour table and stored by a writer chosen by bytes per pixel.
#pragma once

#include <array>
#include <cstdint>

#include "AseqFormat.h"
#include "OMColorRecord.h"
#include "OMPixelCopy.h"

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

// Draws the frame with its top-left corner at (x, y) into pixels of the format's size (2, 3 or 4 bytes;
// others draw nothing), writing only inside clip (which lies inside the pixels). Skip runs write nothing;
// a pixel of 3 bytes is written as exactly 3 bytes.
void drawFrameDeep(const AseqFrame& frame, const OMPixelView& pixels, std::int32_t x, std::int32_t y,
                   const OMRect& clip, const PackedColors& colors, const PixelFormat& format);
