// Palettes from the colour tables of 'DIB' resources written by the bitmap writer, and bitmaps whose
// tables lie about their size.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "BmpWriter.h"
#include "DibColors.h"
#include "File.h"
#include "GraphicsTestSupport.h"
#include "PrsWriter.h"
#include "Res.h"
#include "TempFolder.h"

namespace {

class DibColorsTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        FileInit();
        base = folder.path() + "\\";
        const char* folders[] = {base.c_str()};
        ResSetSearchFolders(1, folders);
    }
    void TearDown() override {
        for (MemHandle& table : tables) MemHandleFree(&table);
        for (HPALETTE& palette : palettes) DeleteObject(palette);
        while (ResSource top = ResGetTopSource()) ResCloseSource(top);
        FileTerm();
        GraphicsTest::TearDown();
    }
    // Opens a resource folder holding each bitmap as 'DIB' 1, 2, ...
    void openBitmaps(const std::vector<std::string>& files) {
        std::vector<PrsResource> resources;
        for (std::size_t i = 0; i < files.size(); ++i) resources.push_back({"DIB", std::uint16_t(i + 1), files[i]});
        writeResourceFolder(folder.file("Pics"), resources);
        ASSERT_NE(ResOpenFile("Pics"), 0u);
    }
    MemHandle load(std::uint16_t id) {
        const MemHandle table = PalLoadDibColors(id);
        if (table) tables.push_back(table);
        return table;
    }
    HPALETTE fromColors(MemHandle table, MemHandle statics, bool dibOnly = false) {
        HPALETTE palette = nullptr;
        if (dibOnly ? PalCreateFromDibColors(table, &palette) : PalCreateFromColors(table, &palette, statics)) {
            palettes.push_back(palette);
        }
        return palette;
    }

    TempFolder folder;
    std::string base;
    std::vector<MemHandle> tables;
    std::vector<HPALETTE> palettes;
};

TEST_F(DibColorsTest, BlackAndWhiteBecomeNearBlackAndNearWhite) {
    BmpImage image;
    image.colorsUsed = 4;
    image.colors = {{0, 0, 0}, {255, 255, 255}, {10, 20, 30}, {255, 255, 254}};
    image.pixels = std::string(4, '\0');
    openBitmaps({writeBmp(image)});

    const MemHandle table = load(1);
    ASSERT_NE(table, 0u);
    const std::string expected("\0\0\x04\0" "\0\0\0\0" "\xff\xff\xff\0" "\x1e\x14\x0a\0" "\xfe\xff\xff\0", 20);
    ASSERT_EQ(MemHandleGetSize(table), expected.size());
    EXPECT_EQ(std::memcmp(MemHandleLock(table), expected.data(), expected.size()), 0);
    MemHandleUnlock(table);

    HPALETTE palette = fromColors(table, 0, true);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 4u);
    const COLORREF colours[] = {RGB(8, 8, 8), RGB(247, 247, 247), RGB(10, 20, 30), RGB(255, 255, 254)};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const PALETTEENTRY e = entryOf(palette, i);
        EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), colours[i]);
        EXPECT_EQ(e.peFlags, PC_RESERVED);
    }
}

TEST_F(DibColorsTest, ATableWithoutCountHasTwoToTheBitCountColours) {
    BmpImage image;
    image.bitCount = 1;
    image.colors = {{1, 2, 3}, {4, 5, 6}};
    openBitmaps({writeBmp(image)});
    const MemHandle table = load(1);
    ASSERT_NE(table, 0u);
    EXPECT_EQ(MemHandleGetSize(table), 12u);
}

TEST_F(DibColorsTest, BadTablesGiveNoColours) {
    BmpImage pastTheData;  // claims 200 colours, holds 2 and no pixels
    pastTheData.colorsUsed = 200;
    pastTheData.colors = {{1, 2, 3}, {4, 5, 6}};
    BmpImage trueColour;  // 2 to the 24th colours
    trueColour.bitCount = 24;
    BmpImage tooMany;
    tooMany.colorsUsed = 300;
    tooMany.colors.assign(300, BmpColor{1, 1, 1});
    openBitmaps({writeBmp(pastTheData), writeBmp(trueColour), writeBmp(tooMany), writeBmp(BmpImage{}).substr(0, 40)});
    for (std::uint16_t id : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(load(id), 0u);
    }
    EXPECT_EQ(fromColors(0, 0, true), nullptr);
}

TEST_F(DibColorsTest, StaticPositionsTakeTheSystemsOrTheGivenColours) {
    BmpImage image;
    image.colorsUsed = 256;
    for (int i = 0; i < 256; ++i) image.colors.push_back(BmpColor{std::uint8_t(i), 100, std::uint8_t(255 - i)});
    BmpImage statics = image;
    for (BmpColor& c : statics.colors) c = BmpColor{1, 2, 3};
    openBitmaps({writeBmp(image), writeBmp(statics)});

    PALETTEENTRY system[256] = {};
    HDC screen = GetDC(nullptr);
    GetSystemPaletteEntries(screen, 0, 256, system);
    ReleaseDC(nullptr, screen);
    HPALETTE arranged = fromColors(load(1), 0);
    HPALETTE given = fromColors(load(1), load(2));
    ASSERT_NE(arranged, nullptr);
    ASSERT_NE(given, nullptr);
    struct Case {
        int index;
        bool isStatic;
    };
    for (Case c : {Case{0, true}, Case{9, true}, Case{10, false}, Case{245, false}, Case{246, true}, Case{255, true}}) {
        SCOPED_TRACE(c.index);
        const PALETTEENTRY a = entryOf(arranged, c.index);
        const PALETTEENTRY g = entryOf(given, c.index);
        const COLORREF own = RGB(c.index, 100, 255 - c.index);
        EXPECT_EQ(RGB(a.peRed, a.peGreen, a.peBlue),
                  c.isStatic ? RGB(system[c.index].peRed, system[c.index].peGreen, system[c.index].peBlue) : own);
        EXPECT_EQ(RGB(g.peRed, g.peGreen, g.peBlue), c.isStatic ? RGB(1, 2, 3) : own);
        EXPECT_EQ(g.peFlags, c.isStatic ? 0 : PC_RESERVED);
    }
}

}  // namespace
