// The JPEG-to-DIB decoder on pictures made by the JPEG library's compressor (layouts, colours, row
// order, result codes for bad input), the RGB555 conversion, and pictures loaded from files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "Files.h"
#include "StoreFixture.h"
#include "JpegDecoder.h"
#include "Rgb555.h"
#include "cDSSImage.h"

namespace {

struct Decoded {
    JpegDibResult dib;  // before `code`, which fills it
    std::uint16_t code = 0;
    int depth = 0;
    Decoded(const std::vector<std::uint8_t>& bytes, int wanted, int shown)
        : code(decodeJpegToDib(bytes.data(), bytes.size(), wanted, &dib)), depth(shown) {}
    Decoded(const Decoded&) = delete;
    Decoded& operator=(const Decoded&) = delete;
    ~Decoded() { std::free(dib.bits); }

    std::uint32_t stride() const { return dibStride(static_cast<std::uint32_t>(depth / 8), dib.width); }
    // The pixel bytes at (x, y), y counted from the picture's top.
    const std::uint8_t* at(int x, int y) const { return dib.bits + (dib.height - 1 - y) * stride() + x * (depth / 8); }
    void expectColour(int x, int y, int red, int green, int blue) const {
        // Quantisation to 5 bits loses up to 7, the JPEG round trip a little more.
        const int tolerance = depth == 16 ? 12 : depth == 8 ? 24 : 4;
        const std::uint8_t* p = at(x, y);
        int bgr[3] = {p[0], p[1], p[2]};
        if (depth == 8) {
            for (int c = 0; c < 3; ++c) bgr[c] = dib.colourTable[p[0]][c];
        } else if (depth == 16) {
            const int pixel = p[0] | (p[1] << 8);
            for (int c = 0; c < 3; ++c) bgr[c] = ((pixel >> (5 * c)) & 31) << 3;
        }
        EXPECT_NEAR(bgr[2], red, tolerance) << "red at " << x << "," << y;
        EXPECT_NEAR(bgr[1], green, tolerance) << "green at " << x << "," << y;
        EXPECT_NEAR(bgr[0], blue, tolerance) << "blue at " << x << "," << y;
    }
};

TEST(JpegDecoderTest, LayoutAtEachDepth) {
    struct Case {
        int wanted, depth;
        std::uint32_t stride, colours;
    };
    const Case cases[] = {
        {24, 24, 12, 16777216u}, {32, 24, 12, 16777216u}, {16, 16, 8, 65536u}, {8, 8, 4, 0}, {0, 8, 4, 0},
    };
    std::vector<std::uint8_t> bytes = encodeJpeg(solidPicture(3, 5, 200, 40, 90));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "wanted " << c.wanted);
        Decoded decoded(bytes, c.wanted, c.depth);
        ASSERT_EQ(decoded.code, kJpegOk);
        EXPECT_EQ(decoded.dib.width, 3u);
        EXPECT_EQ(decoded.dib.height, 5u);
        EXPECT_EQ(decoded.stride(), c.stride);
        EXPECT_EQ(decoded.dib.byteCount, c.stride * 5);
        if (c.colours != 0) {
            EXPECT_EQ(decoded.dib.colourCount, c.colours);
        } else {
            EXPECT_GE(decoded.dib.colourCount, 1u);
            EXPECT_LE(decoded.dib.colourCount, 256u);
        }
        decoded.expectColour(1, 2, 200, 40, 90);
    }
    // Sixteen bits are RGB555 with the top bit clear.
    for (std::uint8_t level : {0, 255}) {
        SCOPED_TRACE(+level);
        Decoded decoded(encodeJpeg(solidPicture(8, 8, level, level, level)), 16, 16);
        ASSERT_EQ(decoded.code, kJpegOk);
        EXPECT_EQ(decoded.at(4, 4)[0] | (decoded.at(4, 4)[1] << 8), level == 0 ? 0 : 0x7FFF);
    }
}

TEST(JpegDecoderTest, RowsAreStoredBottomUpInBlueGreenRedOrder) {
    RgbPicture picture = solidPicture(16, 32, 255, 0, 0);
    picture.fill(0, 16, 16, 32, 0, 0, 255);  // top half red, bottom half blue
    std::vector<std::uint8_t> bytes = encodeJpeg(picture);
    for (int depth : {8, 16, 24}) {
        SCOPED_TRACE(depth);
        Decoded decoded(bytes, depth, depth);
        ASSERT_EQ(decoded.code, kJpegOk);
        decoded.expectColour(5, 3, 255, 0, 0);
        decoded.expectColour(5, 28, 0, 0, 255);
    }
    // The first stored row is the picture's bottom row: blue first in memory.
    Decoded decoded(bytes, 24, 24);
    EXPECT_GE(decoded.dib.bits[0], 250);
    EXPECT_LE(decoded.dib.bits[2], 5);
}

TEST(JpegDecoderTest, GreyscaleComesBackAtEightBitsWithAGreyRamp) {
    JpegOptions grey;
    grey.greyscale = true;
    Decoded decoded(encodeJpeg(solidPicture(5, 3, 77, 77, 77), grey), 24, 8);
    ASSERT_EQ(decoded.code, kJpegOk);
    EXPECT_EQ(decoded.dib.colourCount, 256u);
    EXPECT_EQ(decoded.dib.byteCount, 8u * 3);
    for (int i : {0, 1, 77, 128, 255}) {
        SCOPED_TRACE(i);
        const std::uint8_t expected[4] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                                          static_cast<std::uint8_t>(i), 0};
        EXPECT_EQ(std::memcmp(decoded.dib.colourTable[i], expected, 4), 0);
    }
    EXPECT_NEAR(decoded.at(2, 1)[0], 77, 2);
}

TEST(JpegDecoderTest, DecodesEveryKindOfFile) {
    struct Case {
        const char* name;
        int width, height;
        JpegOptions options;
    };
    JpegOptions progressive, restarts, subsampled, rgb;
    progressive.progressive = true;
    restarts.restartRows = 1;
    subsampled.subsampled = true;
    rgb.rgbColourSpace = true;
    const Case cases[] = {
        {"baseline 1x1", 1, 1, {}},          {"baseline 641x3", 641, 3, {}},
        {"progressive", 33, 17, progressive}, {"restart markers", 40, 40, restarts},
        {"subsampled", 31, 9, subsampled},    {"stored as RGB", 12, 12, rgb},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> bytes = encodeJpeg(solidPicture(c.width, c.height, 30, 160, 220), c.options);
        for (int depth : {8, 24}) {
            SCOPED_TRACE(depth);
            Decoded decoded(bytes, depth, depth);
            ASSERT_EQ(decoded.code, kJpegOk);
            EXPECT_EQ(decoded.dib.width, static_cast<std::uint32_t>(c.width));
            EXPECT_EQ(decoded.dib.height, static_cast<std::uint32_t>(c.height));
            decoded.expectColour(c.width - 1, c.height - 1, 30, 160, 220);
        }
    }
}

TEST(JpegDecoderTest, TruncatedFileStillDecodes) {
    RgbPicture picture = solidPicture(64, 64, 0, 0, 0);
    for (std::size_t i = 0; i < picture.rgb.size(); ++i) picture.rgb[i] = static_cast<std::uint8_t>(i * 37 / 3);
    std::vector<std::uint8_t> bytes = encodeJpeg(picture);
    ASSERT_GT(bytes.size(), 2000u);  // mostly picture data, so the cut falls inside it
    bytes.resize(bytes.size() * 2 / 3);
    Decoded decoded(bytes, 24, 24);
    EXPECT_EQ(decoded.code, kJpegOk);
    EXPECT_EQ(decoded.dib.height, 64u);
}

TEST(JpegDecoderTest, BadArgumentsAndBrokenFilesGiveTheirCodes) {
    std::vector<std::uint8_t> good = encodeJpeg(solidPicture(8, 8, 1, 2, 3));
    std::vector<std::uint8_t> badFrame = good;
    for (std::size_t i = 2; i + 4 < badFrame.size(); ++i) {
        if (badFrame[i] == 0xFF && badFrame[i + 1] == 0xC0) {
            badFrame[i + 9] = badFrame[i + 10] = 0;  // image width 0
            break;
        }
    }
    JpegOptions rgb;
    rgb.rgbColourSpace = true;
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        int depth;
    } cases[] = {
        {"no start marker", {good.begin() + 2, good.end()}, 24},
        {"header only", {good.begin(), good.begin() + 20}, 24},
        {"garbage", std::vector<std::uint8_t>(300, 0x5A), 24},
        {"zero width", badFrame, 24},
        {"sixteen bits of an RGB file", encodeJpeg(solidPicture(8, 8, 1, 2, 3), rgb), 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded decoded(c.bytes, c.depth, c.depth);
        EXPECT_EQ(decoded.code, kJpegLibraryError);
        EXPECT_EQ(decoded.dib.bits, nullptr);
    }
    const std::uint8_t empty[1] = {0};
    JpegDibResult result;
    EXPECT_EQ(decodeJpegToDib(empty, 0, 24, &result), kJpegLibraryError);

    EXPECT_EQ(decodeJpegToDib(nullptr, 10, 24, &result), kJpegBadArgument);
    EXPECT_EQ(decodeJpegToDib(good.data(), good.size(), 24, nullptr), kJpegBadArgument);
    for (int depth : {15, 4, 1, 48, -8}) {
        SCOPED_TRACE(depth);
        EXPECT_EQ(decodeJpegToDib(good.data(), good.size(), depth, &result), kJpegBadArgument);
        EXPECT_EQ(result.bits, nullptr);
    }
}

// Against values worked out from the fixed-point rules by hand.
TEST(Rgb555Test, PlainConversionDropsLowBits) {
    const struct {
        std::uint8_t ycc[3];
        std::uint16_t pixel;
    } cases[] = {
        {{255, 128, 128}, 0x7FFF},  // white
        {{0, 128, 128}, 0x0000},    // black
        {{100, 128, 200}, 0x64CC},  // red 201, green 49, blue 100
        {{76, 85, 255}, 0x7C00},    // red 254, green 0, blue 0
        {{29, 255, 107}, 0x001F},   // blue 254 (green and red limited to 0)
        {{150, 44, 21}, 0x03E0},    // green 255, red 0, blue 1
    };
    YccToRgb555 converter;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << +c.ycc[0] << " cb " << +c.ycc[1] << " cr " << +c.ycc[2]);
        std::uint8_t out[2] = {};
        converter.convertRow(c.ycc, out, 1);
        EXPECT_EQ(out[0] | (out[1] << 8), c.pixel);
    }
}

TEST(Rgb555Test, DitheredConversionAddsSeededNoise) {
    // Seed 1: noises 4, 7, 7 (blue, green, red) for the first pixel and 7, 7, 1 for the second.
    setRgb555DitherSeed(1);
    YccToRgb555 converter;
    std::uint8_t ycc[6] = {4, 128, 128, 100, 128, 200};
    std::uint8_t out[4] = {};
    converter.convertRowDithered(ycc, out, 2);
    EXPECT_EQ(out[0] | (out[1] << 8), 0x0421);  // red 11, green 11, blue 8
    EXPECT_EQ(out[2] | (out[3] << 8), 0x64ED);  // red 202, green 56, blue 107
    EXPECT_EQ(static_cast<std::uint32_t>(rgb555DitherSeed()), 3558822667u);  // kept for the next picture
}

std::string headerText(const BITMAPINFOHEADER& h) {
    std::ostringstream text;
    text << "size " << h.biSize << " " << h.biWidth << "x" << h.biHeight << " planes " << h.biPlanes << " bits "
         << h.biBitCount << " compression " << h.biCompression << " image " << h.biSizeImage << " per metre "
         << h.biXPelsPerMeter << "," << h.biYPelsPerMeter << " colours " << h.biClrUsed << "," << h.biClrImportant;
    return text.str();
}

TEST(cDSSImageTest, LoadsAtEachDepthAndRefusesBrokenFiles) {
    TempFolder folder;
    const std::string name = folder.file("picture.jpg");
    std::vector<std::uint8_t> bytes = encodeJpeg(solidPicture(5, 3, 250, 10, 10));
    writeWholeFile(name, std::string(bytes.begin(), bytes.end()));
    // Positive height: bottom-up.
    const BITMAPINFOHEADER expected[] = {{40, 5, 3, 1, 24, BI_RGB, 16 * 3, 0, 0, 0, 0},
                                         {40, 5, 3, 1, 16, BI_RGB, 12 * 3, 0, 0, 0, 0},
                                         {40, 5, 3, 1, 8, BI_RGB, 8 * 3, 0, 0, 256, 0}};
    for (const BITMAPINFOHEADER& header : expected) {
        SCOPED_TRACE(header.biBitCount);
        cDSSImage image;
        ASSERT_TRUE(image.load(name, header.biBitCount));
        EXPECT_EQ(headerText(image.info()->bmiHeader), headerText(header));
        EXPECT_EQ(image.palette() != nullptr, header.biBitCount == 8);
        if (header.biBitCount == 8) {
            PALETTEENTRY entry = {};
            const RGBQUAD& colour = image.info()->bmiColors[0];
            ASSERT_EQ(GetPaletteEntries(image.palette(), 0, 1, &entry), 1u);
            EXPECT_EQ(entry.peRed, colour.rgbRed);
            EXPECT_EQ(entry.peGreen, colour.rgbGreen);
            EXPECT_EQ(entry.peBlue, colour.rgbBlue);
            EXPECT_NEAR(colour.rgbRed, 250, 24);
        }
    }
    cDSSImage image;
    EXPECT_FALSE(image.load(folder.file("missing.jpg"), 24));
    for (const std::string& broken : {std::string(), std::string(500, 'j')}) {
        writeWholeFile(name, broken);
        EXPECT_FALSE(image.load(name, 24));
    }
    HDC screen = GetDC(nullptr);
    EXPECT_FALSE(image.draw(screen)) << "nothing loaded, nothing drawn";
    ReleaseDC(nullptr, screen);
}

}  // namespace
