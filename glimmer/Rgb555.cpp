// YCbCr to RGB555 conversion with the JPEG library's fixed-point tables.
#include "Rgb555.h"

namespace {

constexpr int kScaleBits = 16;
constexpr std::int32_t kOneHalf = std::int32_t{1} << (kScaleBits - 1);

constexpr std::int32_t fix(double x) { return static_cast<std::int32_t>(x * (1L << kScaleBits) + 0.5); }

std::int32_t ditherSeed = 1;

// The next noise value (0 to 7): seed = seed × 25173 + 13849, wrapping at 32 bits; bits 9 to 11.
int nextNoise() {
    std::uint32_t seed = static_cast<std::uint32_t>(ditherSeed) * 25173u + 13849u;
    ditherSeed = static_cast<std::int32_t>(seed);
    return static_cast<int>((seed >> 9) & 7);
}

unsigned limit(int value) { return value < 0 ? 0u : value > 255 ? 255u : static_cast<unsigned>(value); }

void store(std::uint8_t* out, unsigned red, unsigned green, unsigned blue) {
    unsigned pixel = ((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3);
    out[0] = static_cast<std::uint8_t>(pixel);
    out[1] = static_cast<std::uint8_t>(pixel >> 8);
}

}  // namespace

YccToRgb555::YccToRgb555() {
    for (int i = 0; i < 256; ++i) {
        std::int32_t x = i - 128;
        crToRed_[i] = static_cast<int>((fix(1.40200) * x + kOneHalf) >> kScaleBits);
        cbToBlue_[i] = static_cast<int>((fix(1.77200) * x + kOneHalf) >> kScaleBits);
        crToGreen_[i] = -fix(0.71414) * x;
        cbToGreen_[i] = -fix(0.34414) * x + kOneHalf;
    }
}

void YccToRgb555::convertRow(const std::uint8_t* ycc, std::uint8_t* out, std::uint32_t width) const {
    for (std::uint32_t col = 0; col < width; ++col, ycc += 3, out += 2) {
        int y = ycc[0], cb = ycc[1], cr = ycc[2];
        store(out, limit(y + crToRed_[cr]), limit(y + ((cbToGreen_[cb] + crToGreen_[cr]) >> kScaleBits)),
              limit(y + cbToBlue_[cb]));
    }
}

void YccToRgb555::convertRowDithered(const std::uint8_t* ycc, std::uint8_t* out, std::uint32_t width) const {
    for (std::uint32_t col = 0; col < width; ++col, ycc += 3, out += 2) {
        int y = ycc[0], cb = ycc[1], cr = ycc[2];
        unsigned blue = limit(y + cbToBlue_[cb] + nextNoise());
        unsigned green = limit(y + ((cbToGreen_[cb] + crToGreen_[cr]) >> kScaleBits) + nextNoise());
        unsigned red = limit(y + crToRed_[cr] + nextNoise());
        store(out, red, green, blue);
    }
}

void setRgb555DitherSeed(std::int32_t seed) { ditherSeed = seed; }

std::int32_t rgb555DitherSeed() { return ditherSeed; }
