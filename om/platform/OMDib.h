// Device-independent bitmap data without GDI: finding and checking the bitmap in file or resource
// bytes, patching in the system colours, and the one-bit transparency mask.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "OMColorRecord.h"

enum class OMBitmapStatus {
    loaded,
    // Neither a "BM" file nor a bare bitmap (first word 40).
    notABitmap,
    // Recognised, but the header, colour table or pixels do not fit the data, or the header describes
    // no picture that GDI draws (an info header below 40 bytes, width 0 or below, height 0, an unknown bit
    // count, a compression other than run-length coding of 8-bit or 4-bit pixels or bit fields of 16-bit
    // or 32-bit pixels, run-length coding under a negative height).
    damaged,
};

// Where the parts of a bitmap lie. Offsets count from the info header, which starts at `start` of the
// data: 14 after a "BM" file header, 0 for a bare bitmap.
//
//   [file header 14, "BM" only] | info header, its size (40 bare, 40 or more in a file) | [masks 12, bit
//   fields only, when the header ends before offset 52] | colour table, 4 bytes each | pixel rows
//
// Of the header the fields of its first 40 bytes are read; GDI reads the colour table after the header's
// own size, and the masks at offset 40 whatever that size. Rows go bottom-up, or top-down under a negative
// height.
// Bit fields (compression 3) are rows of 16-bit or 32-bit pixels whose red, green and blue lie under the
// three 32-bit masks; GDI reads the masks when it draws.
// Run-length coded pixels (RLE8 of 8-bit, RLE4 of 4-bit bitmaps) take the header's image size in bytes,
// which must be given and lie within the data; GDI decodes them when it draws. Their decoded rows may
// take at most 16 MiB.
struct OMDibLayout {
    std::size_t start = 0;
    std::size_t length = 0;
    std::int32_t width = 0;
    // Negative for top-down rows.
    std::int32_t height = 0;
    // Pixel rows: the height's magnitude.
    std::size_t rows = 0;
    std::int32_t bitCount = 0;
    // Entries of the colour table as GDI reads it: colours used, or 2^bit count below 16 bits when 0.
    std::size_t tableEntries = 0;
    // The colour table's start: the header's own size, or the end of the masks after a shorter header.
    std::size_t tableOffset = 0;
    std::size_t pixelOffset = 0;
    // Bytes per pixel row: width x bit count, rounded up to 4 bytes.
    std::size_t rowSize = 0;
    // 0 for rows of pixels, 1 for RLE8, 2 for RLE4, 3 for rows of bit fields.
    std::uint32_t compression = 0;
    // Bytes of pixel data: rowSize x rows, or the image size of run-length coded pixels.
    std::size_t pixelBytes = 0;
};

inline constexpr std::size_t kInfoHeaderSize = 40;
inline constexpr std::size_t kFileHeaderSize = 14;

[[nodiscard]] OMBitmapStatus findDib(const std::uint8_t* data, std::size_t size, OMDibLayout& layout);

// The colours-used count of an info header.
std::uint32_t dibColorsUsed(const std::uint8_t* dib);

// In an 8-bit bitmap (header onward): a colours-used count of 0 becomes 256, and when it is 256 the
// table's entries 0-9 and 246-255 take the system colours (their fourth bytes kept).
void patchSystemColors(std::uint8_t* dib, const OMDibLayout& layout, const OMColorRecord* systemTable);

// Bytes per row of the one-bit mask of a bitmap `width` pixels wide.
std::size_t maskRowSize(std::int32_t width);

// The one-bit mask: info header (the bitmap's width and height), colours black and white, rows in the
// bitmap's order (read one row size apart), a set bit (white) for each pixel of the transparent colour.
// 8-bit pixels match the colour's palette index, 16-bit pixels its 5-5-5 value, 24- and 32-bit pixels its
// 8-8-8 value, whatever bit fields say; 1- and 4-bit pixels and run-length coded ones never.
std::vector<std::uint8_t> buildDibMask(const std::uint8_t* dib, const OMDibLayout& layout,
                                       const OMColorRecord& transparent);
