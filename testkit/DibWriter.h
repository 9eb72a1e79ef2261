// Writes device-independent bitmaps: bare (info header, colour table, rows) or as "BM" files, the form
// of bitmap files and of 'DIB' resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DibPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 8;
    // The colours-used field as written, so a test can claim more colours than follow.
    std::uint32_t colorsUsed = 0;
    // The colour table, 0x00RRGGBB each.
    std::vector<std::uint32_t> colors;
    // width x height values, top row first: palette indices at 1, 4 and 8 bits, the raw 5-5-5 word at
    // 16 bits, 0x00RRGGBB at 24 and 32 bits (the raw word of 16 or 32 bits under bit-field masks).
    std::vector<std::uint32_t> pixels;
};

// How the picture is stored: the info header's size (its bytes past the first 40 are zero but for the
// masks) and the order of the rows.
struct DibForm {
    std::uint32_t headerSize = 40;
    // Rows top row first, under a negative height.
    bool topDown = false;
};

// Little-endian throughout:
//   size width height 1 bits compression image-size 0 0 used 0 | [rest of the header] | masks | table
//   (blue, green, red, 0) | rows
// The image size is the row size x height; the rows go bottom-up (top-down under a negative height), each
// padded to 4 bytes; pixels below a byte are packed high bits first. Red, green and blue bit-field masks,
// when given, make compression 3 and lie at offset 40, inside a header of 52 bytes or more, else after it;
// without masks compression is 0.
std::string writeDib(const DibPicture& picture, const std::vector<std::uint32_t>& masks = {},
                     const DibForm& form = {});
// The 14-byte file header ("BM", file size, 0, 0, offset of the pixels) before writeDib's bytes.
std::string writeBmpFile(const DibPicture& picture, const std::vector<std::uint32_t>& masks = {},
                         const DibForm& form = {});
