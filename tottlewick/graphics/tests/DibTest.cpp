// DIBs in memory handles: sizes, fills and copies against bytes worked out by hand, colour-table modes
// and drawing.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "Dib.h"
#include "GraphicsTestSupport.h"

namespace {

// Row y from the top of a bottom-up DIB starts at (height - 1 - y) x stride.
std::uint8_t* row(DibHeader* header, int y) {
    return reinterpret_cast<std::uint8_t*>(header) + kDibPixelOffset + (header->height - 1 - y) * DibStride(header);
}

class DibTest : public GraphicsTest {
protected:
    void TearDown() override {
        for (MemHandle& dib : dibs) {
            MemHandleUnlock(dib);
            DibFree(&dib);
        }
        GraphicsTest::TearDown();
    }
    DibHeader* create(std::uint16_t bits, std::int16_t width, std::int16_t height) {
        MemHandle dib = 0;
        if (!DibCreate(&dib, bits, width, height)) return nullptr;
        dibs.push_back(dib);
        return static_cast<DibHeader*>(MemHandleLock(dib));
    }
    std::vector<MemHandle> dibs;
};

TEST_F(DibTest, CreateSizesTheImageAsStrideTimesHeight) {
    struct Case {
        std::uint16_t bits;
        std::int16_t width, height;
        std::int32_t storedWidth;
        std::uint32_t stride, imageSize;
    };
    const Case cases[] = {
        {8, 13, 10, 16, 16, 160},  // the width rounds up to 4 pixels
        {4, 3, 10, 4, 4, 40},      // 4 pixels fill 2 bytes of a 4-byte row
        {1, 13, 2, 16, 4, 8},      // 16 pixels fill 2 bytes of a 4-byte row
        {1, 4, 2, 4, 4, 8},        // 4 pixels are half a byte, still a 4-byte row
        {24, 5, 3, 8, 24, 72},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, " << c.width << "x" << c.height);
        DibHeader* h = create(c.bits, c.width, c.height);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->size, 40u);
        EXPECT_EQ(h->width, c.storedWidth);
        EXPECT_EQ(h->height, c.height);
        EXPECT_EQ(h->planes, 1);
        EXPECT_EQ(h->bitCount, c.bits);
        EXPECT_EQ(h->compression, 0u);
        EXPECT_EQ(DibStride(h), c.stride);
        EXPECT_EQ(h->imageSize, c.imageSize);
        EXPECT_EQ(MemHandleGetSize(dibs.back()), 1064 + c.imageSize);
        const auto* slots = reinterpret_cast<const std::uint16_t*>(reinterpret_cast<std::uint8_t*>(h) + 40);
        EXPECT_EQ(slots[1], c.bits <= 8 ? 1 : 0);
        EXPECT_EQ(slots[255], c.bits <= 8 ? 255 : 0);
    }
}

TEST_F(DibTest, CreateRefusesSizesOfZeroOrLess) {
    const std::int16_t sizes[][2] = {{0, 10}, {10, 0}, {-1, 10}, {10, -5}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
        MemHandle dib = 99;
        EXPECT_EQ(DibCreate(&dib, 8, size[0], size[1]), 0);
        EXPECT_EQ(dib, 0u);
    }
}

TEST_F(DibTest, FillCoversTheRectangleAndItsTailBytesOnly) {
    DibHeader* h = create(8, 13, 10);
    const Rect r{1, 2, 8, 5};  // 7 bytes a row: 4 + 2 + 1
    DibFillRect(row(h, h->height - 1), h, &r, 0x1AB);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool inside = x >= 1 && x < 8 && y >= 2 && y < 5;
            ASSERT_EQ(row(h, y)[x], inside ? 0xAB : 0) << x << "," << y;
        }
    }
}

TEST_F(DibTest, FillStaysInsideTheImage) {
    DibHeader* h = create(4, 3, 10);
    const Rect everything{-5, -5, 100, 100};
    DibFillRect(row(h, h->height - 1), h, &everything, 0x07);
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(h) + kDibPixelOffset;
    for (std::uint32_t i = 0; i < h->imageSize; ++i) {
        ASSERT_EQ(pixels[i], i % 4 < 2 ? 0x07 : 0) << "byte " << i;  // 4 pixels are 2 bytes, then padding
    }
}

TEST_F(DibTest, FillOfASixteenBitDibRepeatsTheWord) {
    DibHeader* h = create(16, 3, 2);
    const Rect r{1, 0, 3, 2};
    DibFillRect(row(h, 1), h, &r, 0x1234);
    const std::uint8_t expected[8] = {0, 0, 0x34, 0x12, 0x34, 0x12, 0, 0};
    EXPECT_EQ(std::memcmp(row(h, 0), expected, 8), 0);
    EXPECT_EQ(std::memcmp(row(h, 1), expected, 8), 0);
}

TEST_F(DibTest, CopyMovesRowsCountedFromTheTopAndCutsToTheDestination) {
    DibHeader* source = create(8, 8, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) row(source, y)[x] = static_cast<std::uint8_t>(y * 16 + x);
    // A top-down destination: row y at y x stride.
    std::vector<std::uint8_t> target(8 * 4);
    DibHeader top = *source;
    top.height = -4;
    const Rect from{1, 1, 5, 4};
    DibCopyRect(target.data(), &top, 2, 0, row(source, 3), source, &from);
    DibCopyRect(target.data(), &top, 6, 2, row(source, 3), source, &from);  // cut to 2 x 2
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            int expected = 0;
            if (x >= 2 && x < 6 && y < 3) expected = (y + 1) * 16 + (x - 1);
            if (x >= 6 && y >= 2) expected = (y - 1) * 16 + (x - 5);
            ASSERT_EQ(target[y * 8 + x], expected) << x << "," << y;
        }
    }
}

TEST_F(DibTest, ColorTableHoldsColoursOrIndices) {
    HPALETTE palette = makeTestPalette();
    DibHeader* h = create(8, 4, 4);
    auto* slots = reinterpret_cast<std::uint8_t*>(h) + 40;
    EXPECT_EQ(DibSetColorTable(h, palette, kDibTableColors), 1);
    for (int i : {0, 5, 255}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(RGB(slots[i * 4 + 2], slots[i * 4 + 1], slots[i * 4]), testColor(i));
        EXPECT_EQ(slots[i * 4 + 3], 0);
    }
    EXPECT_EQ(DibSetColorTable(h, palette, kDibTableIndices), 1);
    EXPECT_EQ(reinterpret_cast<std::uint16_t*>(slots)[5], 5);
    h->colorsUsed = 4;  // only the colours used are written
    EXPECT_EQ(DibSetColorTable(h, palette, kDibTableColors), 1);
    EXPECT_EQ(RGB(slots[3 * 4 + 2], slots[3 * 4 + 1], slots[3 * 4]), testColor(3));
    EXPECT_EQ(reinterpret_cast<std::uint16_t*>(slots)[8], 8);
    EXPECT_EQ(DibSetColorTableFromPalette(dibs.back(), nullptr, kDibTableColors), 1);  // the default palette
    EXPECT_EQ(RGB(slots[2], slots[1], slots[0]), RGB(0, 0, 0));
    DeleteObject(palette);
}

TEST_F(DibTest, StretchDrawPaintsWithTheRasterOperationOrZoomsTheDib) {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 16, -16, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, section);
    std::memset(bits, 0xFF, 16 * 16 * 3);

    EXPECT_EQ(DibStretchDraw(dc, 1, 1, 2, 2, 0, 0, 0, -1, -1, BLACKNESS, DIB_RGB_COLORS), 1);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(255, 255, 255));

    HPALETTE palette = makeTestPalette();
    DibHeader* h = create(8, 4, 2);
    std::memset(reinterpret_cast<std::uint8_t*>(h) + kDibPixelOffset, 9, h->imageSize);
    DibSetColorTable(h, palette, kDibTableColors);
    EXPECT_EQ(DibStretchDraw(dc, 4, 4, -2, -3, dibs.back(), 0, 0, -1, -1, SRCCOPY, DIB_RGB_COLORS), 1);
    EXPECT_EQ(GetPixel(dc, 4, 4), testColor(9));
    EXPECT_EQ(GetPixel(dc, 11, 9), testColor(9)) << "4 x 2 pixels zoomed 2 x 3 times";
    EXPECT_EQ(GetPixel(dc, 12, 10), RGB(255, 255, 255));

    SelectObject(dc, previous);
    DeleteObject(section);
    DeleteDC(dc);
    DeleteObject(palette);
}

}  // namespace
