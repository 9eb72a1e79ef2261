// The JPEG-to-DIB decoder and cDSSImage on pictures made by the JPEG library's compressor (layouts,
// headers, colours, row order, result codes for bad input), and the RGB555 conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <tuple>

#include "Files.h"
#include "JpegDecoder.h"
#include "JpegFixtures.h"
#include "Rgb555.h"
#include "TempFolder.h"
#include "cDSSImage.h"

namespace {

struct Decoded {
    JpegDibResult dib;  // before `code`, which fills it
    std::uint16_t code = 0;
    int depth = 0;
    std::unique_ptr<std::uint8_t, void (*)(void*)> owner;
    Decoded(const std::vector<std::uint8_t>& bytes, int wanted, int shown)
        : code(decodeJpegToDib(bytes.data(), bytes.size(), wanted, &dib)), depth(shown), owner(dib.bits, std::free) {}
    // The pixel bytes at (x, y), y counted from the picture's top.
    const std::uint8_t* at(int x, int y) const {
        return dib.bits + (dib.height - 1 - y) * (dib.byteCount / dib.height) + x * (depth / 8);
    }
    void expectColour(int x, int y, int red, int green, int blue) const {
        // Quantisation to 5 bits loses up to 7, the JPEG round trip a little more.
        const int tolerance = depth == 16 ? 12 : depth == 8 ? 24 : 4;
        const std::uint8_t* p = at(x, y);
        int bgr[3] = {p[0], p[1], p[2]};
        for (int c = 0; c < 3; ++c) {
            if (depth == 8) bgr[c] = dib.colourTable[p[0]][c];
            if (depth == 16) bgr[c] = (((p[0] | (p[1] << 8)) >> (5 * c)) & 31) << 3;
        }
        EXPECT_LE(std::max({std::abs(bgr[2] - red), std::abs(bgr[1] - green), std::abs(bgr[0] - blue)}), tolerance)
            << "at " << x << "," << y << ": red " << bgr[2] << ", green " << bgr[1] << ", blue " << bgr[0];
    }
};

// A 3 x 16 picture, red above blue: rows padded to 4 bytes and stored bottom-up, blue first. cDSSImage
// describes it with a bottom-up header (positive height), 256 colours used at 8 bits.
TEST(JpegDecoderTest, LayoutAndHeaderAtEachDepth) {
    const std::tuple<int, int, std::uint32_t, std::uint32_t> cases[] = {
        {24, 24, 12, 16777216u}, {32, 24, 12, 16777216u}, {16, 16, 8, 65536u}, {8, 8, 4, 0}, {0, 8, 4, 0}};
    RgbPicture picture = solidPicture(3, 16, 255, 0, 0);
    picture.fill(0, 8, 3, 16, 0, 0, 255);
    std::vector<std::uint8_t> bytes = encodeJpeg(picture);
    TempFolder folder;
    writeWholeFile(folder.file("picture.jpg"), std::string(bytes.begin(), bytes.end()));
    for (const auto& [wanted, depth, stride, colours] : cases) {
        SCOPED_TRACE(testing::Message() << "wanted " << wanted);
        Decoded decoded(bytes, wanted, depth);
        ASSERT_EQ(decoded.code, kJpegOk);
        EXPECT_EQ(std::make_tuple(decoded.dib.width, decoded.dib.height, decoded.dib.byteCount),
                  std::make_tuple(3u, 16u, stride * 16));
        const std::uint32_t count = decoded.dib.colourCount;
        EXPECT_TRUE(colours != 0 ? count == colours : count >= 1 && count <= 256) << count << " colours";
        decoded.expectColour(1, 3, 255, 0, 0);
        decoded.expectColour(1, 12, 0, 0, 255);
        if (wanted != depth) continue;
        cDSSImage image;
        ASSERT_TRUE(image.load(folder.file("picture.jpg"), depth));
        const BITMAPINFOHEADER& h = image.info()->bmiHeader;
        EXPECT_EQ(std::make_tuple(h.biSize, h.biWidth, h.biHeight, h.biPlanes, h.biBitCount, h.biCompression,
                                  h.biSizeImage, h.biXPelsPerMeter, h.biYPelsPerMeter, h.biClrUsed, h.biClrImportant),
                  std::make_tuple(40u, 3, 16, 1, depth, 0u, stride * 16, 0, 0, depth == 8 ? 256u : 0u, 0u));
        EXPECT_EQ(image.palette() != nullptr, depth == 8);
    }
}

TEST(JpegDecoderTest, GreyscaleComesBackAtEightBitsWithAGreyRamp) {
    JpegOptions grey;
    grey.greyscale = true;
    Decoded decoded(encodeJpeg(solidPicture(5, 3, 77, 77, 77), grey), 24, 8);
    ASSERT_EQ(decoded.code, kJpegOk);
    EXPECT_EQ(std::make_pair(decoded.dib.colourCount, decoded.dib.byteCount), std::make_pair(256u, 8u * 3));
    for (int i : {0, 1, 77, 255}) {
        const std::uint8_t* entry = decoded.dib.colourTable[i];
        EXPECT_EQ(std::vector<int>(entry, entry + 4), (std::vector<int>{i, i, i, 0})) << "entry " << i;
    }
    EXPECT_NEAR(decoded.at(2, 1)[0], 77, 2);
}

// A file cut off inside its picture data still decodes; broken ones give code 4 and no bits, and
// cDSSImage refuses them. Bad arguments give code 1.
TEST(JpegDecoderTest, TruncatedAndBrokenFilesAndBadArguments) {
    RgbPicture noise = solidPicture(64, 64, 0, 0, 0);
    for (std::size_t i = 0; i < noise.rgb.size(); ++i) noise.rgb[i] = static_cast<std::uint8_t>(i * 37 / 3);
    std::vector<std::uint8_t> good = encodeJpeg(noise);
    ASSERT_GT(good.size(), 2000u);  // mostly picture data, so the cut falls inside it
    std::vector<std::uint8_t> zeroWidth = good;
    const std::uint8_t frameMarker[] = {0xFF, 0xC0};
    auto frame = std::search(zeroWidth.begin(), zeroWidth.end(), frameMarker, frameMarker + 2);
    ASSERT_LT(frame + 8, zeroWidth.end());
    frame[7] = frame[8] = 0;  // marker, length, precision, height, then the width
    JpegOptions rgb;
    rgb.rgbColourSpace = true;
    const std::tuple<const char*, std::vector<std::uint8_t>, int, std::uint16_t> cases[] = {
        {"cut off", {good.begin(), good.begin() + good.size() * 2 / 3}, 24, kJpegOk},
        {"no start marker", {good.begin() + 2, good.end()}, 24, kJpegLibraryError},
        {"header only", {good.begin(), good.begin() + 20}, 24, kJpegLibraryError},
        {"garbage", std::vector<std::uint8_t>(300, 0x5A), 24, kJpegLibraryError},
        {"zero width", zeroWidth, 24, kJpegLibraryError},
        {"sixteen bits of an RGB file", encodeJpeg(solidPicture(8, 8, 1, 2, 3), rgb), 16, kJpegLibraryError},
    };
    TempFolder folder;
    for (const auto& [name, bytes, depth, code] : cases) {
        Decoded decoded(bytes, depth, depth);
        EXPECT_EQ(decoded.code, code) << name;
        EXPECT_EQ(decoded.dib.bits == nullptr, code != kJpegOk) << name;
        writeWholeFile(folder.file("picture.jpg"), std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(cDSSImage().load(folder.file("picture.jpg"), depth), code == kJpegOk) << name;
    }
    EXPECT_FALSE(cDSSImage().load(folder.file("missing.jpg"), 24));
    JpegDibResult result;
    EXPECT_EQ(decodeJpegToDib(good.data(), 0, 24, &result), kJpegLibraryError) << "empty";
    EXPECT_EQ(decodeJpegToDib(nullptr, 10, 24, &result), kJpegBadArgument);
    EXPECT_EQ(decodeJpegToDib(good.data(), good.size(), 24, nullptr), kJpegBadArgument);
    for (int depth : {15, 4, 1, 48, -8}) {
        EXPECT_EQ(decodeJpegToDib(good.data(), good.size(), depth, &result), kJpegBadArgument) << depth;
        EXPECT_EQ(result.bits, nullptr);
    }
}

// Against values worked out from the fixed-point rules by hand. Dithered, from seed 1: noises 4, 7, 7
// (blue, green, red) for the first pixel and 7, 7, 1 for the second.
TEST(Rgb555Test, PlainConversionDropsLowBitsAndDitheringAddsSeededNoise) {
    const std::pair<std::array<std::uint8_t, 3>, std::uint16_t> cases[] = {
        {{255, 128, 128}, 0x7FFF},  // white
        {{0, 128, 128}, 0x0000},    // black
        {{100, 128, 200}, 0x64CC},  // red 201, green 49, blue 100
        {{76, 85, 255}, 0x7C00},    // red 254, green 0, blue 0
        {{29, 255, 107}, 0x001F},   // blue 254 (green and red limited to 0)
        {{150, 44, 21}, 0x03E0},    // green 255, red 0, blue 1
    };
    YccToRgb555 converter;
    std::uint8_t out[4] = {};
    for (const auto& [ycc, pixel] : cases) {
        converter.convertRow(ycc.data(), out, 1);
        EXPECT_EQ(out[0] | (out[1] << 8), pixel) << "y " << +ycc[0] << " cb " << +ycc[1] << " cr " << +ycc[2];
    }
    setRgb555DitherSeed(1);
    const std::uint8_t ycc[6] = {4, 128, 128, 100, 128, 200};
    converter.convertRowDithered(ycc, out, 2);
    EXPECT_EQ(out[0] | (out[1] << 8), 0x0421);  // red 11, green 11, blue 8
    EXPECT_EQ(out[2] | (out[3] << 8), 0x64ED);  // red 202, green 56, blue 107
    EXPECT_EQ(static_cast<std::uint32_t>(rgb555DitherSeed()), 3558822667u);  // kept for the next picture
}

}  // namespace
