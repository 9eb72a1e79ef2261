// Bitmaps: "BM" files and bare bitmaps, the system colours patched in, transparent colours and masks,
// transparent drawing, resources, and damaged data refused.
#include "ByteWriter.h"
#include "DibWriter.h"
#include "DrawingSupport.h"
#include "ModuleResources.h"
#include "OMBitmap.h"
#include "OMRes.h"

namespace {
// An 8-bit picture of 256 colours: entry i is (i, 2, 3), so every entry differs from the system colours.
DibPicture picture8(std::int32_t width, std::int32_t height, std::vector<std::uint32_t> pixels) {
    std::vector<std::uint32_t> colors(256);
    for (std::uint32_t i = 0; i < 256; ++i) colors[i] = i << 16 | 0x0203;
    return DibPicture{width, height, 8, 0, colors, std::move(pixels)};
}

// 10 x 3: the transparent index 252 at x 0, 3 and 9 of the top row and everywhere in the bottom row.
DibPicture maskPicture() {
    std::vector<std::uint32_t> pixels(30, 249);
    for (int x : {0, 3, 9, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}) pixels[x] = 252;
    return picture8(10, 3, pixels);
}

struct BitmapTest : ::testing::Test {
    std::unique_ptr<OMBitmap> load(const std::string& bytes) {
        streams.push_back(streamOver(folder, "b" + std::to_string(streams.size()) + ".bmp", bytes));
        return std::make_unique<OMBitmap>(*streams.back());
    }
    TempFolder folder;
    std::vector<std::unique_ptr<OMIStreamFile>> streams;
};

// The same data from a "BM" file, bare, and as a numbered resource of a module.
TEST_F(BitmapTest, ABmFileTheSameBareBitmapAndAResourceLoadTheSameData) {
    const DibPicture picture = maskPicture();
    const std::string bare = writeDib(picture);
    const std::string module = folder.file("Bitmaps.dll");
    ASSERT_TRUE(writeModuleWithResources(programFolder() + "ResModule.dll", module, {{RT_BITMAP, 5, bare}}));
    OMResFile file(module.c_str());
    ASSERT_EQ(file.status, kResFileUsable);
    auto resource = std::make_unique<OMBitmap>(5, &file);
    const std::unique_ptr<OMBitmap> loaded[] = {load(writeBmpFile(picture)), load(bare), std::move(resource)};
    for (const std::unique_ptr<OMBitmap>& bitmap : loaded) {
        ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
        EXPECT_EQ(std::tuple(bitmap->bitmapWidth, bitmap->bitmapHeight, int(bitmap->bitCount)), std::tuple(10, 3, 8));
        ASSERT_NE(bitmap->info(), nullptr);
        EXPECT_EQ(std::memcmp(loaded[0]->info(), bitmap->info(), bare.size()), 0);
        EXPECT_EQ(bitmap->pixels() - bitmap->info(), 40 + 1024);
        OMMemCanvas canvas(12, 5, 8, 1);
        canvas.drawBitmap(1, 1, bitmap.get());
        EXPECT_EQ((std::vector<int>{pixelAt(canvas, 2, 1), pixelAt(canvas, 1, 1)}), (std::vector<int>{249, 252}));
    }
    OMBitmap missing(6, &file);
    EXPECT_EQ(std::make_pair(missing.status, missing.info() == nullptr),
              std::make_pair(OMBitmapStatus::notABitmap, true));
}

// Only a full table of an 8-bit bitmap takes the system colours at the static entries.
TEST_F(BitmapTest, EightBitBitmapsOfAFullTableTakeTheSystemColours) {
    for (const auto& [colorsUsed, tableSize] : {std::pair<std::uint32_t, std::size_t>{0, 256}, {256, 256}, {16, 16}}) {
        SCOPED_TRACE(colorsUsed);
        DibPicture picture = picture8(2, 1, {1, 2});
        picture.colorsUsed = colorsUsed;
        picture.colors.resize(tableSize);
        const std::unique_ptr<OMBitmap> bitmap = load(writeDib(picture));
        ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
        std::vector<OMColorRecord> table(256, OMColorRecord{1, 1, 1, 9});
        EXPECT_TRUE(bitmap->getColorTable(table.data()));
        for (std::size_t i = 0; i < tableSize; ++i) {
            const bool patched = tableSize == 256 && isStaticEntry(int(i));
            EXPECT_EQ(rgbOf(table[i]), patched ? systemRgb(int(i)) : std::uint32_t(i << 16 | 0x0203)) << i;
            EXPECT_EQ(table[i].index, -1);
        }
        if (tableSize < 256) {
            EXPECT_EQ(table[tableSize].index, 9) << "only the table's entries are read";
        }
    }
}

TEST_F(BitmapTest, TransparentColoursDefaultByDepthAndMasksMarkThemBitForBit) {
    DibPicture wide = picture8(33, 1, std::vector<std::uint32_t>(33, 1));
    wide.pixels[32] = 252;
    const DibPicture deep16{4, 1, 16, 0, {}, {0x001F, 0x801F, 0x001E, 0x7C00}};
    const DibPicture deep32{4, 1, 32, 0, {}, {0x0000FF, 0x0001FF, 0xFF0000, 0x0000FF}};
    const std::string tenWide("\xFF\xC0\0\0" "\0\0\0\0" "\x90\x40\0\0", 12);
    // The mask rows in memory order (bottom row first).
    const struct { const char* name; DibPicture picture; OMColorRecord transparent; std::string maskRows; bool noImageSize; }
        cases[] = {
        {"8-bit, 10 wide", maskPicture(), {0, 0, 0, 252}, tenWide, false},
        {"8-bit, image size 0", maskPicture(), {0, 0, 0, 252}, tenWide, true},
        {"8-bit, 33 wide", wide, {0, 0, 0, 252}, std::string("\0\0\0\0\x80\0\0\0", 8), false},
        {"16-bit", deep16, {0, 0, 0xFF00, -1}, std::string("\xC0\0\0\0", 4), false},
        {"32-bit", deep32, {0, 0, 0xFF00, -1}, std::string("\x90\0\0\0", 4), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = writeDib(c.picture);
        if (c.noImageSize) bytes.replace(20, 4, 4, '\0');
        const std::unique_ptr<OMBitmap> bitmap = load(bytes);
        ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
        EXPECT_EQ(std::make_pair(rgbOf(bitmap->transparentColor), bitmap->transparentColor.index),
                  std::make_pair(rgbOf(c.transparent), c.transparent.index));
        EXPECT_EQ(bitmap->maskInfo(), nullptr) << "made on demand";
        bitmap->buildMask();
        ASSERT_NE(bitmap->maskInfo(), nullptr);
        // 40, width, height, 1 plane, 1 bit, no compression, image size, 0, 0, 2 colours, 0, black, white
        ByteWriter header(ByteOrder::little);
        const auto width = std::uint32_t(c.picture.width), height = std::uint32_t(c.picture.height);
        for (std::uint32_t field :
             {40u, width, height, 0x00010001u, 0u, std::uint32_t(c.maskRows.size()), 0u, 0u, 2u, 0u, 0u, 0xFFFFFFu}) {
            header.u32(field);
        }
        const std::string mask(reinterpret_cast<const char*>(bitmap->maskInfo()), 48 + c.maskRows.size());
        EXPECT_EQ(mask, header.str() + c.maskRows);
    }
}

// Drawn at (1, 1) of a 6 x 4 canvas of 250: opaque, transparent, and transparent after the transparent
// colour changed (the first mask stays).
TEST_F(BitmapTest, TransparentDrawingKeepsTheCanvasUnderTheTransparentColour) {
    const std::vector<std::uint32_t> rows = {249, 252, 251, 252, 252, 249, 249, 252};
    const std::unique_ptr<OMBitmap> bitmap = load(writeDib(picture8(4, 2, rows)));
    OMMemCanvas opaque(6, 4, 8, 1), transparent(6, 4, 8, 1), later(6, 4, 8, 1);
    for (OMMemCanvas* canvas : {&opaque, &transparent, &later}) canvas->erase({0, 0, 0, 250});
    transparent.transparentBitmaps = later.transparentBitmaps = 1;
    opaque.drawBitmap(1, 1, bitmap.get());
    transparent.drawBitmap(1, 1, bitmap.get());
    bitmap->setTransparentColor({0, 0, 0, 249});
    later.drawBitmap(1, 1, bitmap.get());
    std::vector<std::uint8_t> drawn(24, 250), kept(24, 250);
    for (std::size_t i = 0; i < 8; ++i) {
        drawn[(1 + i / 4) * 6 + 1 + i % 4] = std::uint8_t(rows[i]);
        if (rows[i] != 252) kept[(1 + i / 4) * 6 + 1 + i % 4] = std::uint8_t(rows[i]);
    }
    EXPECT_EQ((std::vector{pixelsOf(opaque), pixelsOf(transparent), pixelsOf(later)}),
              (std::vector{drawn, kept, kept}));
}

// The header and colour table of `picture`, its rows replaced by run-length codes of that compression.
std::string runLengthCoded(const DibPicture& picture, std::uint32_t compression, const std::string& codes) {
    std::string bytes = writeDib(picture).substr(0, 40 + 4 * picture.colors.size());
    const auto size = static_cast<std::uint32_t>(codes.size());
    std::memcpy(&bytes[16], &compression, 4);
    std::memcpy(&bytes[20], &size, 4);
    return bytes + codes;
}

// RLE8 and RLE4 codes, bottom row first: count and pixel(s) for a run, 0 0 ends a row, 0 1 the bitmap.
TEST_F(BitmapTest, SmallDepthsWithoutAColoursUsedCountAndRunLengthCodesDrawWithTheirTables) {
    const std::vector<std::uint32_t> sixteen = {0, 0x112233, 0x445566, 0x778899, 0, 0, 0, 0,
                                                0, 0,        0,        0,        0, 0, 0, 0xCCDDEE};
    const DibPicture one{3, 2, 1, 0, {0x102030, 0xA0B0C0}, {1, 0, 1, 0, 1, 1}};
    const DibPicture four{3, 2, 4, 0, sixteen, {1, 2, 15, 3, 0, 1}};
    const DibPicture eight{3, 2, 8, 16, sixteen, four.pixels};
    const std::string rle4("\x01\x30\x01\x00\x01\x10\0\0\x02\x12\x01\xF0\0\x01", 14);
    const std::string rle8("\x01\x03\x01\x00\x01\x01\0\0\x01\x01\x01\x02\x01\x0F\0\x01", 16);
    const std::pair<DibPicture, std::string> pictures[] = {{one, writeDib(one)},
                                                           {four, writeDib(four)},
                                                           {four, runLengthCoded(four, 2, rle4)},
                                                           {eight, runLengthCoded(eight, 1, rle8)}};
    for (const auto& [picture, bytes] : pictures) {
        const std::unique_ptr<OMBitmap> bitmap = load(bytes);
        ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
        OMMemCanvas canvas(3, 2, 32, 1);
        canvas.drawBitmap(0, 0, bitmap.get());
        for (std::int32_t i = 0; i < 6; ++i) {
            const std::uint32_t want = picture.colors[picture.pixels[i]];
            EXPECT_EQ(pixel32At(canvas, i % 3, i / 3), want) << picture.bitCount << ", " << bytes.size() << ": " << i;
        }
    }
}

// Bit fields: 16-bit pixels under 5-6-5 masks and 32-bit pixels under masks in reverse order draw in their
// colours from after the three masks, in a file and bare.
TEST_F(BitmapTest, SixteenAndThirtyTwoBitPixelsUnderBitFieldMasksDrawInTheirColours) {
    const std::pair<DibPicture, std::vector<std::uint32_t>> pictures[] = {
        {{2, 2, 16, 0, {}, {0xF800, 0x07E0, 0x001F, 0xFFFF}}, {0xF800, 0x07E0, 0x001F}},
        {{2, 2, 32, 0, {}, {0x0000FF, 0x00FF00, 0xFF0000, 0x332211}}, {0x0000FF, 0x00FF00, 0xFF0000}}};
    for (const auto& [picture, masks] : pictures) {
        for (const std::string& bytes : {writeDib(picture, masks), writeBmpFile(picture, masks)}) {
            SCOPED_TRACE(std::to_string(picture.bitCount) + " bits, " + std::to_string(bytes.size()) + " bytes");
            const std::unique_ptr<OMBitmap> bitmap = load(bytes);
            ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
            EXPECT_EQ(bitmap->pixels() - bitmap->info(), 40 + 12);
            OMMemCanvas canvas(2, 2, 32, 1);
            canvas.drawBitmap(0, 0, bitmap.get());
            EXPECT_EQ((std::vector<std::uint32_t>{pixel32At(canvas, 0, 0), pixel32At(canvas, 1, 0), pixel32At(canvas, 0, 1),
                                                  pixel32At(canvas, 1, 1)}),
                      (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, picture.bitCount == 16 ? 0xFFFFFFu : 0x112233u}));
        }
    }
}

// A file's info header of any size from 40 bytes on: the colour table follows the header (GDI reads it
// there), bit-field masks lie at offset 40, inside the larger headers.
TEST_F(BitmapTest, FilesWithLargerInfoHeadersTakeTheirTableAndPixelsFromAfterTheHeader) {
    for (const std::uint32_t headerSize : {52u, 64u, 108u, 124u}) {
        SCOPED_TRACE(headerSize);
        const std::unique_ptr<OMBitmap> indexed = load(writeBmpFile(maskPicture(), {}, {headerSize}));
        ASSERT_EQ(indexed->status, OMBitmapStatus::loaded);
        EXPECT_EQ(std::tuple(indexed->bitmapWidth, indexed->bitmapHeight, int(indexed->bitCount)), std::tuple(10, 3, 8));
        EXPECT_EQ(indexed->pixels() - indexed->info(), std::ptrdiff_t(headerSize) + 1024);
        std::vector<OMColorRecord> table(256);
        ASSERT_TRUE(indexed->getColorTable(table.data()));
        EXPECT_EQ((std::vector<std::uint32_t>{rgbOf(table[9]), rgbOf(table[10]), rgbOf(table[245]), rgbOf(table[246])}),
                  (std::vector<std::uint32_t>{systemRgb(9), 0x0A0203, 0xF50203, systemRgb(246)}));
        OMMemCanvas canvas(12, 5, 8, 1);
        canvas.drawBitmap(1, 1, indexed.get());
        EXPECT_EQ((std::vector<int>{pixelAt(canvas, 2, 1), pixelAt(canvas, 1, 1), pixelAt(canvas, 5, 3)}),
                  (std::vector<int>{249, 252, 252}));

        const DibPicture words{2, 1, 16, 0, {}, {0xF800, 0x001F}};
        const std::unique_ptr<OMBitmap> fields = load(writeBmpFile(words, {0xF800, 0x07E0, 0x001F}, {headerSize}));
        ASSERT_EQ(fields->status, OMBitmapStatus::loaded);
        EXPECT_EQ(fields->pixels() - fields->info(), std::ptrdiff_t(headerSize));
        OMMemCanvas deep(2, 1, 32, 1);
        deep.drawBitmap(0, 0, fields.get());
        EXPECT_EQ(std::make_pair(pixel32At(deep, 0, 0), pixel32At(deep, 1, 0)), std::make_pair(0xFF0000u, 0x0000FFu));
    }
}

// A negative height: rows stored top row first, drawn the right way up, and a mask whose rows follow the
// same order under the same height.
TEST_F(BitmapTest, TopDownBitmapsDrawTheirFirstRowAtTheTop) {
    const std::vector<std::uint32_t> rows = {249, 252, 251, 252, 252, 249, 249, 252};
    const DibPicture picture = picture8(4, 2, rows);
    for (const std::string& bytes : {writeDib(picture, {}, {40, true}), writeBmpFile(picture, {}, {124, true})}) {
        SCOPED_TRACE(bytes.size());
        const std::unique_ptr<OMBitmap> bitmap = load(bytes);
        ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
        EXPECT_EQ(std::make_pair(bitmap->bitmapWidth, bitmap->bitmapHeight), std::make_pair(4, -2));
        OMMemCanvas opaque(6, 4, 8, 1), transparent(6, 4, 8, 1);
        for (OMMemCanvas* canvas : {&opaque, &transparent}) canvas->erase({0, 0, 0, 250});
        transparent.transparentBitmaps = 1;
        opaque.drawBitmap(1, 1, bitmap.get());
        transparent.drawBitmap(1, 1, bitmap.get());
        std::vector<std::uint8_t> drawn(24, 250), kept(24, 250);
        for (std::size_t i = 0; i < 8; ++i) {
            drawn[(1 + i / 4) * 6 + 1 + i % 4] = std::uint8_t(rows[i]);
            if (rows[i] != 252) kept[(1 + i / 4) * 6 + 1 + i % 4] = std::uint8_t(rows[i]);
        }
        EXPECT_EQ((std::vector{pixelsOf(opaque), pixelsOf(transparent)}), (std::vector{drawn, kept}));
        // 40, width 4, height -2, 1 plane, 1 bit, image size 8, 2 colours; rows 0101 then 1000, top first
        ByteWriter header(ByteOrder::little);
        for (std::uint32_t field : {40u, 4u, 0xFFFFFFFEu, 0x00010001u, 0u, 8u, 0u, 0u, 2u, 0u, 0u, 0xFFFFFFu}) {
            header.u32(field);
        }
        ASSERT_NE(bitmap->maskInfo(), nullptr);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bitmap->maskInfo()), 56),
                  header.str() + std::string("\x50\0\0\0\x90\0\0\0", 8));
    }
    const DibPicture direct{2, 2, 24, 0, {}, {0x0000FF, 0xFFFFFF, 0x123456, 0x00FF00}};
    const DibPicture fields{2, 2, 32, 0, {}, {0x0000FF, 0x00FF00, 0xFF0000, 0x332211}};
    for (const std::string& bytes : {writeBmpFile(direct, {}, {40, true}),
                                     writeDib(fields, {0x0000FF, 0x00FF00, 0xFF0000}, {40, true})}) {
        SCOPED_TRACE(bytes.size());
        const std::unique_ptr<OMBitmap> bitmap = load(bytes);
        ASSERT_EQ(bitmap->status, OMBitmapStatus::loaded);
        OMMemCanvas canvas(2, 2, 32, 1);
        canvas.drawBitmap(0, 0, bitmap.get());
        const bool masked = bitmap->bitCount == 32;
        EXPECT_EQ((std::vector<std::uint32_t>{pixel32At(canvas, 0, 0), pixel32At(canvas, 1, 0), pixel32At(canvas, 0, 1),
                                              pixel32At(canvas, 1, 1)}),
                  (masked ? std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x112233}
                          : std::vector<std::uint32_t>{0x0000FF, 0xFFFFFF, 0x123456, 0x00FF00}));
    }
}

TEST_F(BitmapTest, DamagedBitmapsAreRefusedAndDrawNothing) {
    const std::string good = writeDib(picture8(4, 2, {1, 2, 3, 4, 5, 6, 7, 8}));
    auto patch = [](std::string bytes, std::size_t offset, std::uint32_t value) {
        return bytes.replace(offset, 4, reinterpret_cast<const char*>(&value), 4);
    };
    auto patched = [&](std::size_t offset, std::uint32_t value) { return patch(good, offset, value); };
    const std::pair<const char*, std::string> damaged[] = {
        {"a file header only", "BM" + std::string(10, '\0')},
        {"a short info header", good.substr(0, 30)},
        {"height 0", patched(8, 0)},
        {"top-down RLE8", patch(patch(patched(16, 1), 20, 8), 8, static_cast<std::uint32_t>(-2))},
        {"top-down height beyond the pixels", patched(8, static_cast<std::uint32_t>(-3))},
        {"lowest height", patched(8, 0x80000000)},
        {"width 0", patched(4, 0)},
        {"bit count 7", patched(12, 0x00070001)},
        {"RLE8 without an image size", patch(patched(16, 1), 20, 0)},
        {"RLE8 codes past the end", patch(patched(16, 1), 20, 9)},
        {"RLE8 of rows beyond 16 MiB", patch(patched(16, 1), 4, 0x01000000)},
        {"RLE4 of 8-bit pixels", patched(16, 2)},
        {"bit fields", patched(16, 3)},
        {"colour table past the end", patched(32, 0x40000000)},
        {"pixels one byte short", good.substr(0, good.size() - 1)},
        {"a larger info header in a file, its table past the end", "BM" + std::string(12, '\0') + patched(0, 108)},
        {"a file's info header past the end", "BM" + std::string(12, '\0') + patched(0, 0x10000)},
        {"a file's info header of the oldest form", "BM" + std::string(12, '\0') + patched(0, 12)},
        {"a bare bitmap of a larger header", patched(0, 108)},
        {"huge width", patched(4, 0x7FFFFFFF)},
        {"no data", ""},
        {"another format", "GIF89a" + std::string(60, '\0')},
    };
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        const std::unique_ptr<OMBitmap> bitmap = load(bytes);
        const bool notABitmap = bytes.empty() || bytes[0] == 'G' || bytes[0] == 108;
        EXPECT_EQ(bitmap->status, notABitmap ? OMBitmapStatus::notABitmap : OMBitmapStatus::damaged);
        EXPECT_EQ(bitmap->info(), nullptr);
        OMMemCanvas canvas(6, 4, 8, 1);
        canvas.transparentBitmaps = 1;
        canvas.drawBitmap(0, 0, bitmap.get());
        EXPECT_EQ(pixelsOf(canvas), std::vector<std::uint8_t>(24, 255));
    }
}
}  // namespace
