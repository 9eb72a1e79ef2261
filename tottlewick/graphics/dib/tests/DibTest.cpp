// DIBs in memory handles: sizes, fills and copies against bytes worked out by hand, colour-table modes
// and drawing.
#include <cstring>
#include <tuple>

#include "Dib.h"
#include "GraphicsTestSupport.h"
#include "WinRect.h"

namespace {

// Row y from the top of a bottom-up DIB starts at (height - 1 - y) x stride.
std::uint8_t* row(DibHeader* header, int y) {
    return reinterpret_cast<std::uint8_t*>(header) + kDibPixelOffset + (header->height - 1 - y) * DibStride(header);
}

struct DibTest : GraphicsTest {
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

// The stored width rounds up to 4 pixels; rows are 4-byte aligned, so 4 or 16 pixels of 1 or 4 bits fill
// a 4-byte row. Sizes of zero or less make no DIB.
TEST_F(DibTest, CreateSizesTheImageAsStrideTimesHeightAndRefusesEmptySizes) {
    const std::tuple<std::uint16_t, std::int16_t, std::int16_t, std::int32_t, std::uint32_t, std::uint32_t> cases[] = {
        {8, 13, 10, 16, 16, 160}, {4, 3, 10, 4, 4, 40}, {1, 13, 2, 16, 4, 8}, {1, 4, 2, 4, 4, 8},
        {24, 5, 3, 8, 24, 72}};
    for (const auto& [bits, width, height, storedWidth, stride, imageSize] : cases) {
        SCOPED_TRACE(testing::Message() << bits << " bits, " << width << "x" << height);
        DibHeader* h = create(bits, width, height);
        ASSERT_NE(h, nullptr);
        const auto* slots = reinterpret_cast<const std::uint16_t*>(reinterpret_cast<std::uint8_t*>(h) + 40);
        EXPECT_EQ((Results{h->size, h->width, h->height, h->planes, h->bitCount, h->compression, DibStride(h),
                           h->imageSize, MemHandleGetSize(dibs.back()), slots[1], slots[255]}),
                  (Results{40, storedWidth, height, 1, bits, 0, stride, imageSize, 1064 + imageSize, bits <= 8 ? 1 : 0,
                           bits <= 8 ? 255 : 0})) << "the colour slots hold indices up to 8 bits";
    }
    for (const auto& [width, height] : {std::pair<std::int16_t, std::int16_t>{0, 10}, {10, 0}, {-1, 10}, {10, -5}}) {
        MemHandle dib = 99;
        EXPECT_EQ((Results{DibCreate(&dib, 8, width, height), dib}), (Results{0, 0})) << width << "x" << height;
    }
}

// An 8-bit fill covers the rectangle with its low byte and the tail bytes of each row; a 4-bit fill stays
// inside the image; a 16-bit fill repeats the word.
TEST_F(DibTest, FillsCoverTheRectangleAndItsTailBytesOnly) {
    DibHeader* h = create(8, 13, 10);
    const Rect r{1, 2, 8, 5};  // 7 bytes a row: 4 + 2 + 1
    DibFillRect(row(h, h->height - 1), h, &r, 0x1AB);
    for (int i = 0; i < 160; ++i) {
        const int x = i % 16, y = i / 16;
        ASSERT_EQ(row(h, y)[x], x >= 1 && x < 8 && y >= 2 && y < 5 ? 0xAB : 0) << x << "," << y;
    }
    DibHeader* nibbles = create(4, 3, 10);
    const Rect everything{-5, -5, 100, 100};
    DibFillRect(row(nibbles, nibbles->height - 1), nibbles, &everything, 0x07);
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(nibbles) + kDibPixelOffset;
    // 4 pixels are 2 bytes, then padding.
    for (std::uint32_t i = 0; i < nibbles->imageSize; ++i) ASSERT_EQ(pixels[i], i % 4 < 2 ? 0x07 : 0) << "byte " << i;
    DibHeader* words = create(16, 3, 2);
    const Rect right{1, 0, 3, 2};
    DibFillRect(row(words, 1), words, &right, 0x1234);
    const std::uint8_t expected[8] = {0, 0, 0x34, 0x12, 0x34, 0x12, 0, 0};
    EXPECT_EQ((Results{std::memcmp(row(words, 0), expected, 8), std::memcmp(row(words, 1), expected, 8)}), Results(2, 0));
}

TEST_F(DibTest, CopyMovesRowsCountedFromTheTopAndCutsToTheDestination) {
    DibHeader* source = create(8, 8, 4);
    for (int i = 0; i < 32; ++i) row(source, i / 8)[i % 8] = static_cast<std::uint8_t>(i / 8 * 16 + i % 8);
    // A top-down destination: row y at y x stride.
    std::vector<std::uint8_t> target(8 * 4);
    DibHeader top = *source;
    top.height = -4;
    const Rect from{1, 1, 5, 4};
    DibCopyRect(target.data(), &top, 2, 0, row(source, 3), source, &from);
    DibCopyRect(target.data(), &top, 6, 2, row(source, 3), source, &from);  // cut to 2 x 2
    for (int i = 0; i < 32; ++i) {
        const int x = i % 8, y = i / 8;
        int expected = 0;
        if (x >= 2 && x < 6 && y < 3) expected = (y + 1) * 16 + (x - 1);
        if (x >= 6 && y >= 2) expected = (y - 1) * 16 + (x - 5);
        ASSERT_EQ(target[std::size_t(i)], expected) << x << "," << y;
    }
}

// Colours as blue, green, red, 0, or 16-bit indices; only the colours used are written.
TEST_F(DibTest, ColorTableHoldsColoursOrIndices) {
    HPALETTE palette = keep(makeTestPalette());
    DibHeader* h = create(8, 4, 4);
    auto* slots = reinterpret_cast<std::uint8_t*>(h) + 40;
    const auto colourAt = [slots](int i) { return RGB(slots[i * 4 + 2], slots[i * 4 + 1], slots[i * 4]); };
    EXPECT_EQ(DibSetColorTable(h, palette, kDibTableColors), 1);
    for (int i : {0, 5, 255}) EXPECT_EQ((Results{colourAt(i), slots[i * 4 + 3]}), (Results{testColor(i), 0})) << i;
    EXPECT_EQ((Results{DibSetColorTable(h, palette, kDibTableIndices), reinterpret_cast<std::uint16_t*>(slots)[5]}),
              (Results{1, 5}));
    h->colorsUsed = 4;
    EXPECT_EQ((Results{DibSetColorTable(h, palette, kDibTableColors), colourAt(3),
                       reinterpret_cast<std::uint16_t*>(slots)[8]}),
              (Results{1, testColor(3), 8}));
    EXPECT_EQ((Results{DibSetColorTableFromPalette(dibs.back(), nullptr, kDibTableColors), colourAt(0)}),
              (Results{1, 0})) << "the default palette";
}

// Without a DIB the rectangle is painted with the raster operation alone; a negative size zooms the DIB.
TEST_F(DibTest, StretchDrawPaintsWithTheRasterOperationOrZoomsTheDib) {
    Rgb24Dc paper(16, 16);
    HDC dc = paper.dc;
    std::memset(paper.bits, 0xFF, 16 * 16 * 3);
    EXPECT_EQ((Results{DibStretchDraw(dc, 1, 1, 2, 2, 0, 0, 0, -1, -1, BLACKNESS, DIB_RGB_COLORS), GetPixel(dc, 1, 1),
                       GetPixel(dc, 2, 2), GetPixel(dc, 3, 3)}),
              (Results{1, 0, 0, RGB(255, 255, 255)})) << "no DIB: the raster operation alone";
    HPALETTE palette = keep(makeTestPalette());
    DibHeader* h = create(8, 4, 2);
    std::memset(reinterpret_cast<std::uint8_t*>(h) + kDibPixelOffset, 9, h->imageSize);
    DibSetColorTable(h, palette, kDibTableColors);
    EXPECT_EQ((Results{DibStretchDraw(dc, 4, 4, -2, -3, dibs.back(), 0, 0, -1, -1, SRCCOPY, DIB_RGB_COLORS),
                       GetPixel(dc, 4, 4), GetPixel(dc, 11, 9), GetPixel(dc, 12, 10)}),
              (Results{1, testColor(9), testColor(9), RGB(255, 255, 255)})) << "4 x 2 pixels zoomed 2 x 3 times";
}

// The system's forms sign-extend; back from them only the low 16 bits of each value are kept.
TEST(WinRectTest, RectanglesAndPointsConvertBothWays) {
    const Rect rect{-5, -1, 32767, -32768};
    const Point point{-2, 300};
    RECT r{70000, -70000, 65535, 5};
    POINT p{-65537, 98304};
    Rect back{};
    Point backPoint{};
    RectFromWinRect(&back, &r);
    PointFromWinPoint(&backPoint, &p);
    EXPECT_EQ((Results{back.left, back.top, back.right, back.bottom, backPoint.h, backPoint.v}),
              (Results{4464, -4464, -1, 5, -1, -32768}));
    RectToWinRect(&rect, &r);
    PointToWinPoint(&point, &p);
    EXPECT_EQ((Results{r.left, r.top, r.right, r.bottom, p.x, p.y}), (Results{-5, -1, 32767, -32768, -2, 300}));
}

}  // namespace
