// The palette manager: stock palettes, nearest colours, CLUTs, logical palettes, static colours and the
// current palette, on the 8-bit display with its 20 static colours.
#include <set>
#include <tuple>

#include "CanvasPalette.h"
#include "Clut.h"
#include "GraphicsTestSupport.h"

namespace {

struct PaletteTest : GraphicsTest {
    // The test palette with some entries replaced.
    HPALETTE testPaletteWith(const std::vector<std::pair<int, COLORREF>>& changes) {
        HPALETTE palette = keep(makeTestPalette());
        for (const auto& [index, c] : changes) {
            const PALETTEENTRY e{GetRValue(c), GetGValue(c), GetBValue(c), PC_RESERVED};
            SetPaletteEntries(palette, UINT(index), 1, &e);
        }
        return palette;
    }
};

TEST_F(PaletteTest, StockPalettes) {
    const std::tuple<std::uint16_t, UINT, int, COLORREF> cases[] = {
        {kPalStockColors16, 16, 7, RGB(192, 192, 192)}, {kPalStockColors16, 16, 9, RGB(255, 0, 0)},
        {kPalStockColors16, 16, 12, RGB(0, 0, 255)},     {kPalStockBlack, 256, 100, RGB(0, 0, 0)},
        {kPalStockWhite, 256, 0, RGB(255, 255, 255)},     {kPalStockGrey, 256, 77, RGB(77, 77, 77)},
        {kPalStockColors256, 256, 0, RGB(0, 0, 0)},       {kPalStockColors256, 256, 1, RGB(0, 0, 17)},
        {kPalStockColors256, 256, 3, RGB(17, 0, 0)},      {kPalStockColors256, 256, 14, RGB(17, 17, 17)},
        {kPalStockColors256, 256, 255, RGB(255, 255, 255)},
    };
    for (const auto& [kind, entries, index, colour] : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << kind << " entry " << index);
        HPALETTE palette = stock(kind);
        ASSERT_NE(palette, nullptr);
        EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), entries);
        EXPECT_EQ(PalGetEntryColor(palette, std::uint16_t(index)), colour);
        EXPECT_EQ(entryOf(palette, index).peFlags, PC_RESERVED);
    }
    std::set<COLORREF> distinct;
    for (int i = 0; i < 256; ++i) distinct.insert(PalGetEntryColor(palettes[6], std::uint16_t(i)));
    EXPECT_EQ(distinct.size(), 256u);
    HPALETTE none = reinterpret_cast<HPALETTE>(1);
    EXPECT_EQ((Results{PalCreateStock(&none, 5), none == nullptr}), (Results{0, 1}));
    HPALETTE arranged = stock(kPalStockBlack | kPalArrange);
    EXPECT_EQ((Results{PalGetEntryColor(arranged, 255), entryOf(arranged, 255).peFlags, entryOf(arranged, 128).peFlags}),
              (Results{RGB(255, 255, 255), 0, PC_RESERVED})) << "the static white";
    EXPECT_EQ((Results{PalEntryCount(palettes[0]), PalEntryCount(nullptr)}), (Results{256, 0})) << "any palette: 256";
}

TEST_F(PaletteTest, NearestColour) {
    EXPECT_EQ((Results{PalNearestColor(nullptr, 0x01000005, 0, 0, 255), PalNearestColor(nullptr, RGB(1, 2, 3), 0, 0, 255)}),
              (Results{5, 0})) << "a palette index needs no palette; a colour does";
    HPALETTE plain = testPaletteWith({});
    HPALETTE blackAt50 = testPaletteWith({{50, RGB(0, 0, 0)}});
    HPALETTE twins = testPaletteWith({{20, RGB(30, 30, 30)}, {21, RGB(30, 30, 30)}});
    using Case = std::tuple<const char*, HPALETTE, COLORREF, std::int16_t, std::uint16_t, std::uint16_t, std::uint32_t>;
    const Case cases[] = {
        {"exact", plain, testColor(77), 0, 0, 255, 77},
        {"near", plain, RGB(78, 231, 178), 0, 0, 255, 77},
        {"exact asked, none", plain, RGB(78, 231, 178), 1, 0, 255, 0},
        {"outside the range", plain, testColor(5), 1, 10, 245, 0},
        {"black ends the search", blackAt50, testColor(100), 0, 10, 245, 0},
        {"found before the black", blackAt50, testColor(40), 0, 10, 245, 40},
        {"ties keep the lower index", twins, RGB(31, 30, 30), 0, 10, 245, 20},
        {"an empty range", plain, testColor(77), 0, 100, 99, 0},
        {"past the end of the palette", plain, testColor(250), 0, 240, 300, 250},
        {"unreadable past the end", plain, RGB(250, 238, 6), 0, 240, 300, 0},
    };
    for (const auto& [what, palette, colour, exact, first, last, index] : cases) {
        EXPECT_EQ(PalNearestColor(palette, colour, exact, first, last), index) << what;
    }
    PalSetCurrent(makeTestPalette());
    EXPECT_EQ((Results{PalNearestIndex(nullptr, testColor(77), 1), PalGetEntryColor(nullptr, 3)}),
              (Results{77, testColor(3)})) << "the current palette";
}

TEST_F(PaletteTest, ClutsStoreComponentsInBothHalves) {
    HPALETTE colours = testPaletteWith({});
    MemHandle clut = 0;
    ASSERT_EQ(ClutCreate(&clut, 4), 1);
    std::uint32_t tag = 0;
    char label[16] = {};
    MemHandleGetLabel(clut, label, &tag);
    EXPECT_EQ(label + std::to_string(tag), "CLUT4");
    ASSERT_EQ(ClutFromPalette(clut, colours), 1);
    {
        ClutAccess table(clut);
        ASSERT_TRUE(table);
        const ClutEntry& e = table.entries()[2];  // colour (2, 6, 253)
        EXPECT_EQ((Results{table.header()->size, e.value, e.red, e.green, e.blue}),
                  (Results{3, 2, 0x0202, 0x0606, 0xFDFD}));
    }
    HPALETTE grey = stock(kPalStockGrey);
    ASSERT_EQ(ClutToPalette(grey, clut), 1);
    EXPECT_EQ((Results{PalGetEntryColor(grey, 3), PalGetEntryColor(grey, 4)}), (Results{testColor(3), RGB(4, 4, 4)}));
    HPALETTE made = nullptr;
    ASSERT_EQ(PalCreateFromClut(&made, clut), 1);
    EXPECT_EQ((Results{GetPaletteEntries(keep(made), 0, 0, nullptr), PalGetEntryColor(made, 1)}),
              (Results{4, testColor(1)}));
    static_cast<ClutHeader*>(MemHandleLock(clut))->size = 100;  // claims more entries than it holds
    MemHandleUnlock(clut);
    EXPECT_EQ((Results{ClutFromPalette(clut, colours), PalCreateFromClut(&made, clut), ClutFree(&clut), ClutFree(&clut),
                       ClutCreate(&clut, 0)}),
              (Results{0, 0, 1, 0, 0}));
}

TEST_F(PaletteTest, LogicalPaletteBuffers) {
    MemHandle log = 0;
    ASSERT_EQ(PalAllocLog(&log, 3), 1);
    auto* entries = static_cast<LOGPALETTE*>(MemHandleLock(log));
    EXPECT_EQ((Results{MemHandleGetSize(log), entries->palVersion}), (Results{16, 0x300}));
    entries->palPalEntry[2] = PALETTEENTRY{9, 8, 7, 0};
    MemHandleUnlock(log);
    HPALETTE palette = nullptr;
    ASSERT_EQ(PalCreateFromLog(&palette, log), 1);
    EXPECT_EQ((Results{GetPaletteEntries(keep(palette), 0, 0, nullptr), PalGetEntryColor(palette, 2)}),
              (Results{3, RGB(9, 8, 7)}));
    static_cast<LOGPALETTE*>(MemHandleLock(log))->palNumEntries = 200;  // past the buffer
    MemHandleUnlock(log);
    EXPECT_EQ(PalCreateFromLog(&palette, log), 0);
    MemHandleFree(&log);
}

TEST_F(PaletteTest, StaticColoursTakeTheirPlaces) {
    EXPECT_EQ(PalGetStaticCount(), 20);
    const COLORREF moved = RGB(1, 2, 3);
    HPALETTE kept = testPaletteWith({{0, moved}, {100, RGB(0, 0, 0)}});
    HPALETTE swapped = testPaletteWith({{0, moved}, {100, RGB(0, 0, 0)}});
    ASSERT_EQ(PalArrangeStatic(&kept, 0), 1);
    ASSERT_EQ(PalArrangeStatic(&swapped, 1), 1);
    for (HPALETTE palette : {kept, swapped}) {
        EXPECT_EQ((Results{PalGetEntryColor(palette, 0), entryOf(palette, 0).peFlags, PalGetEntryColor(palette, 255)}),
                  (Results{RGB(0, 0, 0), 0, RGB(255, 255, 255)}));
    }
    EXPECT_EQ((Results{PalGetEntryColor(kept, 128), PalGetEntryColor(kept, 100)}), (Results{testColor(128), 0}));
    EXPECT_EQ(PalGetEntryColor(swapped, 100), moved) << "the black moved to 0 and its entry took 0's place";
    HPALETTE shifted = testPaletteWith({});
    std::uint8_t map[236] = {};
    ASSERT_EQ(PalShiftToMiddle(&shifted, map), 1);
    EXPECT_EQ((Results{PalGetEntryColor(shifted, 10), PalGetEntryColor(shifted, 245), map[0], map[235]}),
              (Results{testColor(0), testColor(235), 10, 245}));
}

// A new palette aligned with the display's reserved colours, remaps that keep black static entries out
// ((5, 15, 250) goes to (10, 30, 245) once 0-9 are black, (0, 0, 255) to (1, 3, 254)), repeated colours
// stepped apart, and the system without static colours until the manager stops.
TEST_F(PaletteTest, AlignedRemappedUniqueAndWithoutStaticColours) {
    HPALETTE from = testPaletteWith({}), aligned = nullptr;
    std::uint8_t statics[256] = {}, ends[256] = {};
    ASSERT_EQ(PalCreateAligned(&aligned, from, 0) + PalBuildRemap(statics, from, from, 0) +
                  PalBuildRemap(ends, from, from, 1), 3);
    EXPECT_EQ((Results{PalGetEntryColor(keep(aligned), 9), PalGetEntryColor(aligned, 10), PalGetEntryColor(aligned, 246),
                       statics[100], statics[5], ends[5], ends[0]}),
              (Results{systemColour(9), testColor(10), systemColour(246), 100, 10, 5, 1}));
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), face = GetSysColor(COLOR_BTNFACE);
    HPALETTE twins = testPaletteWith({{10, black}, {11, black}, {12, black}, {30, white}, {31, white}});
    ASSERT_EQ((Results{PalMakeUnique(twins), PalUseNoStatic()}), (Results{1, 1}));
    EXPECT_EQ((Results{PalGetEntryColor(twins, 10), PalGetEntryColor(twins, 11), PalGetEntryColor(twins, 12),
                       PalGetEntryColor(twins, 30), PalGetEntryColor(twins, 31), PalGetStaticCount(),
                       GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNFACE)}),
              (Results{black, RGB(1, 1, 1), RGB(2, 2, 2), white, RGB(254, 254, 254), 2, black, white}));
    PalMgrTerm();
    EXPECT_EQ((Results{PalGetStaticCount(), GetSysColor(COLOR_BTNFACE), PalMgrInit()}), (Results{20, face, 1}));
}

TEST_F(PaletteTest, TheCurrentPaletteReachesEveryCanvas) {
    const Canvas canvas = memory(4, 4);
    HPALETTE palette = makeTestPalette();
    EXPECT_EQ((Results{CanvasGetPalette(canvas) == nullptr, PalSetCurrent(palette) == nullptr,
                       CanvasGetPalette(canvas) == palette, tableColour(canvas, 9)}),
              (Results{1, 1, 1, testColor(9)}));
    EXPECT_EQ(PalSetCurrent(nullptr), keep(palette)) << "0 builds one from the system palette";
    EXPECT_EQ((Results{PalGetEntryColor(nullptr, 255), CanvasGetPalette(canvas) == PalGetCurrent()}),
              (Results{systemColour(255), 1}));
    EXPECT_EQ((Results{PalMgrInit(), PalMgrTerm(), PalSetCurrent(palette) == nullptr, PalMgrTerm(), PalMgrInit()}),
              (Results{0, 1, 1, 0, 1})) << "already running; stopped, it takes no palette";
}

}  // namespace
