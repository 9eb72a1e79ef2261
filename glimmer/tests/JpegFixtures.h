// JPEG files made in the tests by the JPEG library's own compressor.
#pragma once

#include <cstdint>
#include <vector>

struct JpegOptions {
    int quality = 100;
    bool greyscale = false;       // one component, from the red samples
    bool rgbColourSpace = false;  // stored as RGB instead of YCbCr
    bool subsampled = false;      // 2x2 chroma subsampling instead of none
};

// An RGB picture, rows top first, three bytes per pixel.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    void fill(int x0, int y0, int x1, int y1, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
};

RgbPicture solidPicture(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
std::vector<std::uint8_t> encodeJpeg(const RgbPicture& picture, const JpegOptions& options = {});
