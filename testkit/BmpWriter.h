// Writes stored bitmap files (the form of 'DIB' resources): file header, 40-byte info header, colour
// table and pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BmpColor {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

struct BmpImage {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 8;
    std::uint32_t colorsUsed = 0;  // written as given, so a test can claim more colours than follow
    std::vector<BmpColor> colors;  // the table written, as blue, green, red, 0
    std::string pixels;            // written as given after the table
};

// Little-endian throughout:
//   "BM" file size 0 offset-of-pixels | 40 width height 1 bits 0 image-size 0 0 used 0 | table | pixels
std::string writeBmp(const BmpImage& image);
