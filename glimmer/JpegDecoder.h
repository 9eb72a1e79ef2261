// Decodes a whole JPEG file held in memory into the pixel bits and colour table of a Windows
// device-independent bitmap at 8, 16 (RGB555) or 24 bits. The only user of the JPEG library.
#pragma once

#include <cstddef>
#include <cstdint>

struct JpegDibResult {
    std::uint8_t* bits = nullptr;  // bottom-up rows padded to 4 bytes; the caller frees them with std::free
    std::uint32_t byteCount = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t colourTable[256][4] = {};  // blue, green, red, 0; filled at 8 bits only
    std::uint32_t colourCount = 0;          // 256 or fewer at 8 bits, 65536 at 16, 16777216 at 24
};

enum JpegDecodeCode : std::uint16_t {
    kJpegOk = 0,
    kJpegBadArgument = 1,  // null data or result, or a depth other than 0, 8, 16, 24 or 32
    kJpegOutOfMemory = 2,
    kJpegLibraryError = 4,  // the JPEG library refused the data
};

// Wanted depth 0 means 8 and 32 means 24. A greyscale picture always comes back at 8 bits.
[[nodiscard]] std::uint16_t decodeJpegToDib(const std::uint8_t* data, std::size_t size, int wantedDepth,
                                            JpegDibResult* result);

// The padded row length of a DIB: `bytesPerPixel` × `width` rounded up to a multiple of 4.
std::uint32_t dibStride(std::uint32_t bytesPerPixel, std::uint32_t width);
