// The JPEG-to-DIB decoder on pictures made by the JPEG library's compressor: layouts, colours, row
// order and the result codes for bad input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "JpegDecoder.h"
#include "JpegFixtures.h"

namespace {

struct Decoded {
    std::uint16_t code = 0;
    JpegDibResult dib;
    Decoded() = default;
    Decoded(const Decoded&) = delete;
    Decoded& operator=(const Decoded&) = delete;
    ~Decoded() { std::free(dib.bits); }

    std::uint32_t stride(int depth) const { return dibStride(static_cast<std::uint32_t>(depth / 8), dib.width); }
    // The pixel bytes at (x, y), y counted from the picture's top.
    const std::uint8_t* at(int depth, int x, int y) const {
        return dib.bits + (dib.height - 1 - y) * stride(depth) + x * (depth / 8);
    }
    // Blue, green and red at (x, y) at any depth.
    void colour(int depth, int x, int y, int bgr[3]) const {
        const std::uint8_t* p = at(depth, x, y);
        if (depth == 8) {
            for (int c = 0; c < 3; ++c) bgr[c] = dib.colourTable[p[0]][c];
        } else if (depth == 16) {
            int pixel = p[0] | (p[1] << 8);
            bgr[0] = (pixel & 31) << 3;
            bgr[1] = ((pixel >> 5) & 31) << 3;
            bgr[2] = ((pixel >> 10) & 31) << 3;
        } else {
            for (int c = 0; c < 3; ++c) bgr[c] = p[c];
        }
    }
};

void decode(const std::vector<std::uint8_t>& bytes, int depth, Decoded& out) {
    out.code = decodeJpegToDib(bytes.data(), bytes.size(), depth, &out.dib);
}

void expectColour(const Decoded& decoded, int depth, int x, int y, int red, int green, int blue, int tolerance) {
    int bgr[3];
    decoded.colour(depth, x, y, bgr);
    EXPECT_NEAR(bgr[2], red, tolerance) << "red at " << x << "," << y;
    EXPECT_NEAR(bgr[1], green, tolerance) << "green at " << x << "," << y;
    EXPECT_NEAR(bgr[0], blue, tolerance) << "blue at " << x << "," << y;
}

// Quantisation to 5 bits loses up to 7, the JPEG round trip a little more.
int toleranceAt(int depth) { return depth == 16 ? 12 : depth == 8 ? 24 : 4; }

TEST(JpegDecoderTest, RefusesBadArguments) {
    std::vector<std::uint8_t> bytes = encodeJpeg(solidPicture(4, 4, 10, 20, 30));
    JpegDibResult result;
    EXPECT_EQ(decodeJpegToDib(nullptr, 10, 24, &result), kJpegBadArgument);
    EXPECT_EQ(decodeJpegToDib(bytes.data(), bytes.size(), 24, nullptr), kJpegBadArgument);
    for (int depth : {15, 4, 1, 48, -8}) {
        SCOPED_TRACE(depth);
        EXPECT_EQ(decodeJpegToDib(bytes.data(), bytes.size(), depth, &result), kJpegBadArgument);
        EXPECT_EQ(result.bits, nullptr);
    }
}

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
        Decoded decoded;
        decode(bytes, c.wanted, decoded);
        ASSERT_EQ(decoded.code, kJpegOk);
        EXPECT_EQ(decoded.dib.width, 3u);
        EXPECT_EQ(decoded.dib.height, 5u);
        EXPECT_EQ(decoded.stride(c.depth), c.stride);
        EXPECT_EQ(decoded.dib.byteCount, c.stride * 5);
        if (c.colours != 0) {
            EXPECT_EQ(decoded.dib.colourCount, c.colours);
        } else {
            EXPECT_GE(decoded.dib.colourCount, 1u);
            EXPECT_LE(decoded.dib.colourCount, 256u);
        }
        expectColour(decoded, c.depth, 1, 2, 200, 40, 90, toleranceAt(c.depth));
    }
}

TEST(JpegDecoderTest, RowsAreStoredBottomUpInBlueGreenRedOrder) {
    RgbPicture picture = solidPicture(16, 32, 255, 0, 0);
    picture.fill(0, 16, 16, 32, 0, 0, 255);  // top half red, bottom half blue
    std::vector<std::uint8_t> bytes = encodeJpeg(picture);
    for (int depth : {8, 16, 24}) {
        SCOPED_TRACE(depth);
        Decoded decoded;
        decode(bytes, depth, decoded);
        ASSERT_EQ(decoded.code, kJpegOk);
        expectColour(decoded, depth, 5, 3, 255, 0, 0, toleranceAt(depth));
        expectColour(decoded, depth, 5, 28, 0, 0, 255, toleranceAt(depth));
        if (depth == 24) {
            // The first stored row is the picture's bottom row: blue first in memory.
            EXPECT_GE(decoded.dib.bits[0], 250);
            EXPECT_LE(decoded.dib.bits[2], 5);
        }
    }
}

TEST(JpegDecoderTest, SixteenBitsIsRgb555WithTopBitClear) {
    Decoded decoded;
    decode(encodeJpeg(solidPicture(8, 8, 255, 255, 255)), 16, decoded);
    ASSERT_EQ(decoded.code, kJpegOk);
    const std::uint8_t* p = decoded.at(16, 4, 4);
    EXPECT_EQ(p[0] | (p[1] << 8), 0x7FFF);
    Decoded black;
    decode(encodeJpeg(solidPicture(8, 8, 0, 0, 0)), 16, black);
    ASSERT_EQ(black.code, kJpegOk);
    const std::uint8_t* q = black.at(16, 4, 4);
    EXPECT_EQ(q[0] | (q[1] << 8), 0);
}

TEST(JpegDecoderTest, GreyscaleComesBackAtEightBitsWithAGreyRamp) {
    JpegOptions grey;
    grey.greyscale = true;
    Decoded decoded;
    decode(encodeJpeg(solidPicture(5, 3, 77, 77, 77), grey), 24, decoded);
    ASSERT_EQ(decoded.code, kJpegOk);
    EXPECT_EQ(decoded.dib.colourCount, 256u);
    EXPECT_EQ(decoded.dib.byteCount, 8u * 3);
    for (int i : {0, 1, 77, 128, 255}) {
        SCOPED_TRACE(i);
        const std::uint8_t expected[4] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                                          static_cast<std::uint8_t>(i), 0};
        EXPECT_EQ(std::memcmp(decoded.dib.colourTable[i], expected, 4), 0);
    }
    EXPECT_NEAR(decoded.at(8, 2, 1)[0], 77, 2);
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
            Decoded decoded;
            decode(bytes, depth, decoded);
            ASSERT_EQ(decoded.code, kJpegOk);
            EXPECT_EQ(decoded.dib.width, static_cast<std::uint32_t>(c.width));
            EXPECT_EQ(decoded.dib.height, static_cast<std::uint32_t>(c.height));
            expectColour(decoded, depth, c.width - 1, c.height - 1, 30, 160, 220, toleranceAt(depth));
        }
    }
}

TEST(JpegDecoderTest, SixteenBitsNeedsAYCbCrFile) {
    JpegOptions rgb;
    rgb.rgbColourSpace = true;
    Decoded decoded;
    decode(encodeJpeg(solidPicture(8, 8, 1, 2, 3), rgb), 16, decoded);
    EXPECT_EQ(decoded.code, kJpegLibraryError);
    EXPECT_EQ(decoded.dib.bits, nullptr);
}

TEST(JpegDecoderTest, TruncatedFileStillDecodes) {
    RgbPicture picture = solidPicture(64, 64, 0, 0, 0);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) picture.fill(x, y, x + 1, y + 1, static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4), static_cast<std::uint8_t>((x ^ y) * 4));
    }
    std::vector<std::uint8_t> bytes = encodeJpeg(picture);
    ASSERT_GT(bytes.size(), 2000u);  // mostly picture data, so the cut falls inside it
    bytes.resize(bytes.size() * 2 / 3);
    Decoded decoded;
    decode(bytes, 24, decoded);
    EXPECT_EQ(decoded.code, kJpegOk);
    EXPECT_EQ(decoded.dib.height, 64u);
}

TEST(JpegDecoderTest, BrokenFilesGiveTheLibraryErrorCode) {
    std::vector<std::uint8_t> good = encodeJpeg(solidPicture(8, 8, 1, 2, 3));
    std::vector<std::uint8_t> noMarker(good.begin() + 2, good.end());
    std::vector<std::uint8_t> headerOnly(good.begin(), good.begin() + 20);
    std::vector<std::uint8_t> garbage(300, 0x5A);
    std::vector<std::uint8_t> badFrame = good;
    for (std::size_t i = 2; i + 4 < badFrame.size(); ++i) {
        if (badFrame[i] == 0xFF && badFrame[i + 1] == 0xC0) {
            badFrame[i + 9] = 0;  // image width 0
            badFrame[i + 10] = 0;
            break;
        }
    }
    const std::uint8_t empty[1] = {0};
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"no start marker", noMarker}, {"header only", headerOnly}, {"garbage", garbage}, {"zero width", badFrame}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        Decoded decoded;
        decode(c.second, 24, decoded);
        EXPECT_EQ(decoded.code, kJpegLibraryError);
        EXPECT_EQ(decoded.dib.bits, nullptr);
    }
    JpegDibResult result;
    EXPECT_EQ(decodeJpegToDib(empty, 0, 24, &result), kJpegLibraryError);
}

}  // namespace
