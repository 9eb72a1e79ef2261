// The RGB555 conversion against values worked out from the fixed-point rules by hand.
#include <gtest/gtest.h>

#include "Rgb555.h"

namespace {

std::uint16_t pixelAt(const std::uint8_t* out, int index) {
    return static_cast<std::uint16_t>(out[2 * index] | (out[2 * index + 1] << 8));
}

TEST(Rgb555Test, PlainConversionDropsLowBits) {
    struct Case {
        std::uint8_t y, cb, cr;
        std::uint16_t pixel;
    };
    const Case cases[] = {
        {255, 128, 128, 0x7FFF},  // white
        {0, 128, 128, 0x0000},    // black
        {100, 128, 200, 0x64CC},  // red 201, green 49, blue 100
        {76, 85, 255, 0x7C00},    // red 254, green 0, blue 0
        {29, 255, 107, 0x001F},   // blue 254 (green and red limited to 0)
        {150, 44, 21, 0x03E0},    // green 255, red 0, blue 1
    };
    YccToRgb555 converter;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << +c.y << " cb " << +c.cb << " cr " << +c.cr);
        std::uint8_t ycc[3] = {c.y, c.cb, c.cr};
        std::uint8_t out[2] = {};
        converter.convertRow(ycc, out, 1);
        EXPECT_EQ(pixelAt(out, 0), c.pixel);
    }
}

TEST(Rgb555Test, DitheredConversionAddsSeededNoise) {
    // Seed 1: noises 4, 7, 7 (blue, green, red) for the first pixel and 7, 7, 1 for the second.
    setRgb555DitherSeed(1);
    YccToRgb555 converter;
    std::uint8_t ycc[6] = {4, 128, 128, 100, 128, 200};
    std::uint8_t out[4] = {};
    converter.convertRowDithered(ycc, out, 2);
    EXPECT_EQ(pixelAt(out, 0), 0x0421);  // red 11, green 11, blue 8
    EXPECT_EQ(pixelAt(out, 1), 0x64ED);  // red 202, green 56, blue 107
    EXPECT_EQ(static_cast<std::uint32_t>(rgb555DitherSeed()), 3558822667u);  // kept for the next picture
}

}  // namespace
