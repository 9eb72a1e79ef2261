// Palettes from the colour tables of 'DIB' resources written by the bitmap writer, and bitmaps whose
// tables lie about their size.
#include "DibColors.h"
#include "DibWriter.h"
#include "UpdateTestSupport.h"

namespace {

struct DibColorsTest : ScreenUpdateTest {
    void TearDown() override {
        for (MemHandle& table : tables) MemHandleFree(&table);
        ScreenUpdateTest::TearDown();
    }
    // Opens a resource folder holding each bitmap, as a "BM" file, as 'DIB' 1, 2, ...
    void openBitmaps(const std::vector<std::string>& files) {
        std::vector<PrsResource> resources;
        for (std::size_t i = 0; i < files.size(); ++i) resources.push_back({"DIB", std::uint16_t(i + 1), files[i]});
        writeResourceFolder(folder.file("Pics"), resources);
        ASSERT_NE(ResOpenFile("Pics"), 0u);
    }
    MemHandle loadColors(std::uint16_t id) {
        const MemHandle table = PalLoadDibColors(id);
        if (table) tables.push_back(table);
        return table;
    }
    HPALETTE fromColors(MemHandle table, MemHandle statics, bool dibOnly = false) {
        HPALETTE palette = nullptr;
        const bool made = dibOnly ? PalCreateFromDibColors(table, &palette) : PalCreateFromColors(table, &palette, statics);
        return made ? keep(palette) : nullptr;
    }
    std::vector<MemHandle> tables;
};

// The table read is a count word, a zero word and the colours as red, green, blue, 0; a table without a
// colours-used count has two to the bit count colours.
TEST_F(DibColorsTest, BlackAndWhiteBecomeNearBlackAndNearWhite) {
    openBitmaps({writeBmpFile({1, 1, 8, 4, {0x000000, 0xFFFFFF, 0x0A141E, 0xFFFFFE}, {0}}),
                 writeBmpFile({1, 1, 1, 0, {0x010203, 0x040506}, {0}})});
    const MemHandle table = loadColors(1);
    ASSERT_NE(table, 0u);
    const std::string expected("\0\0\x04\0" "\0\0\0\0" "\xff\xff\xff\0" "\x1e\x14\x0a\0" "\xfe\xff\xff\0", 20);
    ASSERT_EQ(MemHandleGetSize(table), expected.size());
    EXPECT_EQ(std::string(static_cast<const char*>(MemHandleLock(table)), expected.size()), expected);
    MemHandleUnlock(table);
    EXPECT_EQ(MemHandleGetSize(loadColors(2)), 12u);
    HPALETTE palette = fromColors(table, 0, true);
    ASSERT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 4u);
    const COLORREF colours[] = {RGB(8, 8, 8), RGB(247, 247, 247), RGB(10, 20, 30), RGB(255, 255, 254)};
    for (int i = 0; i < 4; ++i) {
        const PALETTEENTRY e = entryOf(palette, i);
        EXPECT_EQ((Results{colourOf(e), e.peFlags}), (Results{colours[i], PC_RESERVED})) << i;
    }
}

// 200 colours claimed and 2 held; 2 to the 24th colours; 300 colours; the header cut; no resource.
TEST_F(DibColorsTest, BadTablesGiveNoColours) {
    openBitmaps({writeBmpFile({1, 1, 8, 200, {0x010203, 0x040506}, {0}}), writeBmpFile({1, 1, 24, 0, {}, {0}}),
                 writeBmpFile({1, 1, 8, 300, std::vector<std::uint32_t>(300, 0x010101), {0}}),
                 writeBmpFile({1, 1, 8, 0, {}, {0}}).substr(0, 40)});
    for (std::uint16_t id : {1, 2, 3, 4, 5}) EXPECT_EQ(loadColors(id), 0u) << id;
    EXPECT_EQ(fromColors(0, 0, true), nullptr);
}

TEST_F(DibColorsTest, StaticPositionsTakeTheSystemsOrTheGivenColours) {
    DibPicture image{1, 1, 8, 256, {}, {0}};
    for (std::uint32_t i = 0; i < 256; ++i) image.colors.push_back(i << 16 | 100 << 8 | (255 - i));
    DibPicture statics = image;
    statics.colors.assign(256, 0x010203);
    openBitmaps({writeBmpFile(image), writeBmpFile(statics)});
    HPALETTE arranged = fromColors(loadColors(1), 0), given = fromColors(loadColors(1), loadColors(2));
    ASSERT_TRUE(arranged && given);
    for (const auto& [index, isStatic] : {std::pair{0, true}, {9, true}, {10, false}, {245, false}, {246, true},
                                          {255, true}}) {
        SCOPED_TRACE(index);
        const COLORREF own = RGB(index, 100, 255 - index);
        EXPECT_EQ((Results{colourOf(entryOf(arranged, index)), colourOf(entryOf(given, index)),
                           entryOf(given, index).peFlags}),
                  (Results{isStatic ? systemColour(index) : own, isStatic ? RGB(1, 2, 3) : own,
                           isStatic ? 0 : PC_RESERVED}));
    }
}

}  // namespace
