// Glimmer's own 16-bit colour conversion: YCbCr samples (as the JPEG library delivers them) to
// RGB555 pixels, plain or noise-dithered, with the JPEG library's YCbCr-to-RGB tables.
#pragma once

#include <cstdint>

// One 16-bit pixel per column, stored little-endian:
//
//   bit 15 | 14 ... 10 | 9 ... 5 | 4 ... 0
//     0    |    red    |  green  |  blue
//
// Each 8-bit component loses its low three bits (no rounding).
class YccToRgb555 {
public:
    YccToRgb555();

    // `ycc` holds `width` pixels of three bytes (Y, Cb, Cr); `out` receives 2 × `width` bytes.
    void convertRow(const std::uint8_t* ycc, std::uint8_t* out, std::uint32_t width) const;
    // The same with noise of 0 to 7 added before each component is limited, taken from the
    // process-wide seed (blue, green, red in that order, a fresh value for each).
    void convertRowDithered(const std::uint8_t* ycc, std::uint8_t* out, std::uint32_t width) const;

private:
    int crToRed_[256];
    int cbToBlue_[256];
    std::int32_t crToGreen_[256];  // scaled by 2^16
    std::int32_t cbToGreen_[256];  // scaled by 2^16, with the rounding half added
};

// The seed of the noise-dithered conversion: one for the process, 1 at load, kept across pictures.
void setRgb555DitherSeed(std::int32_t seed);
std::int32_t rgb555DitherSeed();
