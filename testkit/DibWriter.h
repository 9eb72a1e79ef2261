// Writes device-independent bitmaps: bare (info header, colour table, rows) or as "BM" files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DibPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 8;
    // The colours-used field as written.
    std::uint32_t colorsUsed = 0;
    // The colour table, 0x00RRGGBB each.
    std::vector<std::uint32_t> colors;
    // width x height values, top row first: palette indices at 1, 4 and 8 bits, the raw 5-5-5 word at
    // 16 bits, 0x00RRGGBB at 24 and 32 bits.
    std::vector<std::uint32_t> pixels;
};

// The 40-byte info header (image size = row size x height), the colour table, then the rows
// bottom-up, each padded to 4 bytes; pixels below a byte are packed high bits first.
std::string writeDib(const DibPicture& picture);
// The 14-byte file header ("BM", file size, 0, 0, offset of the pixels) before writeDib's bytes.
std::string writeBmpFile(const DibPicture& picture);
