// Bitmaps: "BM" files and bare bitmaps, the system colours patched in, transparent colours and masks,
// transparent drawing, resources, and damaged data refused.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ByteWriter.h"
#include "DibWriter.h"
#include "DrawingSupport.h"
#include "ModuleResources.h"
#include "OMBitmap.h"
#include "OMRes.h"
#include "TestSupport.h"

namespace {

// 256 colours: entry i is (i, 2, 3), so every entry differs from the system colours.
std::vector<std::uint32_t> gradedColors() {
    std::vector<std::uint32_t> colors(256);
    for (std::uint32_t i = 0; i < 256; ++i) colors[i] = i << 16 | 0x0203;
    return colors;
}

DibPicture picture8(std::int32_t width, std::int32_t height, std::vector<std::uint32_t> pixels) {
    DibPicture picture;
    picture.width = width;
    picture.height = height;
    picture.colors = gradedColors();
    picture.pixels = std::move(pixels);
    return picture;
}

// 10 x 3: the transparent index 252 at x 0, 3 and 9 of the top row and everywhere in the bottom row.
DibPicture maskPicture() {
    std::vector<std::uint32_t> pixels(30, 249);
    for (int x : {0, 3, 9}) pixels[x] = 252;
    for (int x = 0; x < 10; ++x) pixels[20 + x] = 252;
    return picture8(10, 3, pixels);
}

class BitmapTest : public ::testing::Test {
protected:
    std::unique_ptr<OMBitmap> load(const std::string& bytes) {
        streams.push_back(streamOver(folder, "b" + std::to_string(streams.size()) + ".bmp", bytes));
        return std::make_unique<OMBitmap>(*streams.back());
    }
    TempFolder folder;
    std::vector<std::unique_ptr<OMIStreamFile>> streams;
};

TEST_F(BitmapTest, ABmFileAndTheSameBareBitmapLoadTheSameData) {
    const DibPicture picture = maskPicture();
    const std::string bare = writeDib(picture);
    const std::unique_ptr<OMBitmap> file = load(writeBmpFile(picture));
    const std::unique_ptr<OMBitmap> plain = load(bare);
    for (OMBitmap* bitmap : {file.get(), plain.get()}) {
        ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
        EXPECT_EQ(bitmap->bitmapWidth, 10);
        EXPECT_EQ(bitmap->bitmapHeight, 3);
        EXPECT_EQ(bitmap->bitCount, 8);
        ASSERT_NE(bitmap->info(), nullptr);
    }
    EXPECT_EQ(std::memcmp(file->info(), plain->info(), bare.size()), 0);
    EXPECT_EQ(file->pixels() - file->info(), 40 + 1024);

    OMMemCanvas fromFile(12, 5, 8, 1);
    OMMemCanvas fromBare(12, 5, 8, 1);
    fromFile.drawBitmap(1, 1, file.get());
    fromBare.drawBitmap(1, 1, plain.get());
    EXPECT_EQ(pixelsOf(fromFile), pixelsOf(fromBare));
    EXPECT_EQ(pixelAt(fromFile, 2, 1), 249);
    EXPECT_EQ(pixelAt(fromFile, 1, 1), 252);
}

TEST_F(BitmapTest, EightBitBitmapsOfAFullTableTakeTheSystemColours) {
    struct Case {
        std::uint32_t colorsUsed;
        std::size_t tableSize;
        int recordsRead;
    };
    for (const Case& c : {Case{0, 256, 256}, Case{256, 256, 256}, Case{16, 16, 16}}) {
        SCOPED_TRACE(c.colorsUsed);
        DibPicture picture = picture8(2, 1, {1, 2});
        picture.colorsUsed = c.colorsUsed;
        picture.colors.resize(c.tableSize);
        const std::unique_ptr<OMBitmap> bitmap = load(writeDib(picture));
        ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
        std::vector<OMColorRecord> table(256, OMColorRecord{1, 1, 1, 9});
        EXPECT_TRUE(bitmap->getColorTable(table.data()));
        for (int i = 0; i < c.recordsRead; ++i) {
            const bool patched = c.tableSize == 256 && isStaticEntry(i);
            EXPECT_EQ(rgbOf(table[i]), patched ? systemRgb(i) : static_cast<std::uint32_t>(i << 16 | 0x0203)) << i;
            EXPECT_EQ(table[i].index, -1);
        }
        if (c.recordsRead < 256) {
            EXPECT_EQ(table[c.recordsRead].index, 9) << "only the table's entries are read";
        }
    }
}

TEST_F(BitmapTest, TransparentColoursDefaultByDepthAndMasksMarkThemBitForBit) {
    struct Case {
        const char* name;
        DibPicture picture;
        OMColorRecord transparent;
        std::string maskRows;  // memory order (bottom row first)
        bool noImageSize = false;
    };
    DibPicture wide = picture8(33, 1, std::vector<std::uint32_t>(33, 1));
    wide.pixels[32] = 252;
    DibPicture deep16;
    deep16.width = 4;
    deep16.height = 1;
    deep16.bitCount = 16;
    deep16.pixels = {0x001F, 0x801F, 0x001E, 0x7C00};
    DibPicture deep24 = deep16;
    deep24.bitCount = 24;
    deep24.pixels = {0x0000FF, 0x0001FF, 0xFF0000, 0x0000FF};
    DibPicture deep32 = deep24;
    deep32.bitCount = 32;
    const Case cases[] = {
        {"8-bit, 10 wide", maskPicture(), {0, 0, 0, 252},
         std::string("\xFF\xC0\0\0" "\0\0\0\0" "\x90\x40\0\0", 12)},
        {"8-bit, image size 0", maskPicture(), {0, 0, 0, 252},
         std::string("\xFF\xC0\0\0" "\0\0\0\0" "\x90\x40\0\0", 12), true},
        {"8-bit, 33 wide", wide, {0, 0, 0, 252}, std::string("\0\0\0\0\x80\0\0\0", 8)},
        {"16-bit", deep16, {0, 0, 0xFF00, -1}, std::string("\xC0\0\0\0", 4)},
        {"24-bit", deep24, {0, 0, 0xFF00, -1}, std::string("\x90\0\0\0", 4)},
        {"32-bit", deep32, {0, 0, 0xFF00, -1}, std::string("\x90\0\0\0", 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = writeDib(c.picture);
        if (c.noImageSize) bytes.replace(20, 4, 4, '\0');
        const std::unique_ptr<OMBitmap> bitmap = load(bytes);
        ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
        EXPECT_EQ(rgbOf(bitmap->transparentColor), rgbOf(c.transparent));
        EXPECT_EQ(bitmap->transparentColor.index, c.transparent.index);
        EXPECT_EQ(bitmap->maskInfo(), nullptr) << "made on demand";
        bitmap->buildMask();
        ASSERT_NE(bitmap->maskInfo(), nullptr);
        // 40, width, height, 1 plane, 1 bit, no compression, image size, 0, 0, 2 colours, 0, black, white
        ByteWriter header(ByteOrder::little);
        for (std::uint32_t field : {40u, std::uint32_t(c.picture.width), std::uint32_t(c.picture.height), 0x00010001u, 0u,
                                    std::uint32_t(c.maskRows.size()), 0u, 0u, 2u, 0u, 0u, 0xFFFFFFu}) {
            header.u32(field);
        }
        const std::string mask(reinterpret_cast<const char*>(bitmap->maskInfo()), 48 + c.maskRows.size());
        EXPECT_EQ(mask, header.str() + c.maskRows);
    }
}

TEST_F(BitmapTest, TransparentDrawingKeepsTheCanvasUnderTheTransparentColour) {
    const std::unique_ptr<OMBitmap> bitmap = load(writeDib(picture8(4, 2, {249, 252, 251, 252, 252, 249, 249, 252})));
    OMMemCanvas opaque(6, 4, 8, 1);
    OMMemCanvas transparent(6, 4, 8, 1);
    OMMemCanvas later(6, 4, 8, 1);
    for (OMMemCanvas* canvas : {&opaque, &transparent, &later}) canvas->erase({0, 0, 0, 250});
    transparent.transparentBitmaps = 1;
    later.transparentBitmaps = 1;
    opaque.drawBitmap(1, 1, bitmap.get());
    transparent.drawBitmap(1, 1, bitmap.get());
    bitmap->setTransparentColor({0, 0, 0, 249});
    later.drawBitmap(1, 1, bitmap.get());
    std::vector<std::uint8_t> drawn(24, 250);
    std::vector<std::uint8_t> kept(24, 250);
    const std::uint8_t rows[2][4] = {{249, 252, 251, 252}, {252, 249, 249, 252}};
    for (int i = 0; i < 8; ++i) {
        const std::uint8_t value = rows[i / 4][i % 4];
        drawn[(1 + i / 4) * 6 + 1 + i % 4] = value;
        if (value != 252) kept[(1 + i / 4) * 6 + 1 + i % 4] = value;
    }
    EXPECT_EQ(pixelsOf(opaque), drawn);
    EXPECT_EQ(pixelsOf(transparent), kept);
    EXPECT_EQ(pixelsOf(later), kept) << "the first mask stays";
}

TEST_F(BitmapTest, SmallDepthsWithoutAColoursUsedCountDrawWithTheirImpliedTable) {
    struct Case {
        std::uint16_t bitCount;
        std::vector<std::uint32_t> colors;
    };
    const Case cases[] = {
        {1, {0x102030, 0xA0B0C0}},
        {4, {0, 0x112233, 0x445566, 0x778899, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xCCDDEE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitCount);
        DibPicture picture;
        picture.width = 3;
        picture.height = 2;
        picture.bitCount = c.bitCount;
        picture.colors = c.colors;
        picture.pixels = c.bitCount == 1 ? std::vector<std::uint32_t>{1, 0, 1, 0, 1, 1}
                                         : std::vector<std::uint32_t>{1, 2, 15, 3, 0, 1};
        const std::unique_ptr<OMBitmap> bitmap = load(writeDib(picture));
        ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
        OMMemCanvas canvas(3, 2, 32, 1);
        canvas.drawBitmap(0, 0, bitmap.get());
        for (std::int32_t i = 0; i < 6; ++i) {
            EXPECT_EQ(pixel32At(canvas, i % 3, i / 3), c.colors[picture.pixels[i]]) << "pixel " << i;
        }
    }
}

TEST_F(BitmapTest, DamagedBitmapsAreRefusedAndDrawNothing) {
    const std::string good = writeDib(picture8(4, 2, {1, 2, 3, 4, 5, 6, 7, 8}));
    auto patched = [&good](std::size_t offset, std::uint32_t value) {
        std::string bytes = good;
        std::memcpy(&bytes[offset], &value, 4);
        return bytes;
    };
    struct Case {
        const char* name;
        std::string bytes;
        OMBitmapStatus status;
    };
    const Case cases[] = {
        {"no data", "", OMBitmapStatus::notABitmap},
        {"another format", "GIF89a" + std::string(60, '\0'), OMBitmapStatus::notABitmap},
        {"a file header only", "BM" + std::string(10, '\0'), OMBitmapStatus::damaged},
        {"a short info header", good.substr(0, 30), OMBitmapStatus::damaged},
        {"height 0", patched(8, 0), OMBitmapStatus::damaged},
        {"top-down height", patched(8, static_cast<std::uint32_t>(-2)), OMBitmapStatus::damaged},
        {"width 0", patched(4, 0), OMBitmapStatus::damaged},
        {"bit count 7", patched(12, 0x00070001), OMBitmapStatus::damaged},
        {"run-length compressed", patched(16, 1), OMBitmapStatus::damaged},
        {"colour table past the end", patched(32, 0x40000000), OMBitmapStatus::damaged},
        {"pixels one byte short", good.substr(0, good.size() - 1), OMBitmapStatus::damaged},
        {"a larger info header in a file", "BM" + std::string(12, '\0') + patched(0, 108), OMBitmapStatus::damaged},
        {"huge width", patched(4, 0x7FFFFFFF), OMBitmapStatus::damaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<OMBitmap> bitmap = load(c.bytes);
        EXPECT_EQ(bitmap->status, c.status);
        EXPECT_EQ(bitmap->info(), nullptr);
        OMMemCanvas canvas(6, 4, 8, 1);
        canvas.transparentBitmaps = 1;
        canvas.drawBitmap(0, 0, bitmap.get());
        EXPECT_EQ(pixelsOf(canvas), std::vector<std::uint8_t>(24, 255));
    }
}

TEST_F(BitmapTest, BitmapResourcesAreFoundByNumber) {
    const std::string module = folder.file("Bitmaps.dll");
    ASSERT_TRUE(writeModuleWithResources(programFolder() + "ResModule.dll", module,
                                         {{RT_BITMAP, 5, writeDib(maskPicture())}}));
    OMResFile file(module.c_str());
    ASSERT_EQ(file.status, kResFileUsable);
    OMBitmap found(5, &file);
    EXPECT_EQ(found.status, OMBitmapStatus::loaded);
    EXPECT_EQ(found.bitmapWidth, 10);
    OMBitmap missing(6, &file);
    EXPECT_EQ(missing.status, OMBitmapStatus::notABitmap);
    EXPECT_EQ(missing.info(), nullptr);
}

}  // namespace
