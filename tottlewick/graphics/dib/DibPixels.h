// The DIB kept in a memory handle and the pixel operations on it: row sizes, fills and rectangle copies.
// Plain bytes in, no system calls, so the same code serves the canvases and the native fuzz builds.
#pragma once

#include <cstdint>

#include "Rect.h"

// The standard 40-byte bitmap information header, field for field.
struct DibHeader {
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height;  // positive: rows stored bottom-up
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t imageSize;
    std::int32_t xPelsPerMeter;
    std::int32_t yPelsPerMeter;
    std::uint32_t colorsUsed;
    std::uint32_t colorsImportant;
};
static_assert(sizeof(DibHeader) == 40, "the header is the system's 40-byte form");

// A DIB in a memory handle:
//
//   offset 0        40                          1064
//          +--------+---------------------------+------------------------------+
//          | header | colour table, 256 x 4     | pixels, bottom-up rows,      |
//          |        | bytes (16-bit indices or  | each padded to 4 bytes       |
//          |        | blue, green, red, 0)      |                              |
//          +--------+---------------------------+------------------------------+
constexpr std::uint32_t kDibHeaderSize = 40;
constexpr std::uint32_t kDibColorSlots = 256;
constexpr std::uint32_t kDibPixelOffset = kDibHeaderSize + kDibColorSlots * 4;

// Bytes that hold `pixels` pixels at the header's bit count (a position's byte offset within a row).
std::uint32_t DibRowBytes(std::uint32_t pixels, const DibHeader* header);
// Bytes per stored row: every pixel of the width, rounded up to a multiple of 4.
std::uint32_t DibStride(const DibHeader* header);
// Copies the source rectangle to (x, y) of the destination, both cut to their images.
void DibCopyRect(void* pixels, const DibHeader* header, std::int16_t x, std::int16_t y, const void* sourcePixels,
                 const DibHeader* sourceHeader, const Rect* sourceRect);
// Fills the rectangle, cut to the image, with the value: a byte up to 8 bits, a 16-bit word up to 16 bits.
void DibFillRect(void* pixels, const DibHeader* header, const Rect* rect, std::uint32_t value);
