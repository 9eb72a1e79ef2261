// Memory canvases and the shared palette, without a window: construction, palette tables, colour
// values, clipped copies and the shapes.
#include "DrawingSupport.h"
#include "OMCanvas.h"
#include "OMColorTable.h"
#include "OMMemCanvas.h"
#include "OMSystemUtilities.h"

namespace {
// Rows are padded to four bytes; white is 255 at 8 bits and 0x7FFF at 16.
TEST(MemCanvasTest, NewCanvasesAreWhiteInEveryPixelWithRowsPaddedToFourBytes) {
    struct Case { std::int32_t width, depth, pitch; std::vector<std::uint8_t> white; };  // white: one pixel's bytes
    const Case cases[] = {{10, 8, 12, {255}}, {12, 8, 12, {255}}, {10, 16, 20, {0xFF, 0x7F}},
                          {10, 24, 32, {255, 255, 255}}, {3, 32, 12, {255, 255, 255, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.depth));
        OMMemCanvas canvas(c.width, 5, c.depth, 1);
        EXPECT_EQ(OMMemCanvas::anyCreated, 1);
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        ASSERT_TRUE(canvas.lockBits(bits, pitch));
        EXPECT_EQ(pitch, c.pitch);
        for (std::int32_t i = 0; i < 5 * c.width; ++i) {
            const std::uint8_t* p = bits + (i / c.width) * pitch + (i % c.width) * (c.depth / 8);
            ASSERT_EQ(std::vector<std::uint8_t>(p, p + c.white.size()), c.white) << "pixel " << i;
        }
    }
}

// The program's entries 10-245 take the table (pure black and white moved off), the static entries keep
// the display's colours; palette, colour table and DIB colours agree.
TEST(MemCanvasTest, SetColorTableReplacesOnlyTheProgramsEntriesAndAvoidsPureBlackAndWhite) {
    ASSERT_EQ(displayBitsPerPixel(0), 8);
    OMMemCanvas canvas(4, 4, 8, 1);
    struct Case { const char* name; OMColorRecord (*color)(int); std::uint32_t (*expected)(int); };
    const Case cases[] = {
        {"new canvas", nullptr, [](int) { return 0u; }},
        {"all black", [](int) { return colorOf(0, 0, 0); }, [](int) { return 0x010101u; }},
        {"all white", [](int) { return OMColorRecord{0xFFFF, 0xFF80, 0xFF00, 7}; }, [](int) { return 0xFEFEFEu; }},
        {"graded", [](int i) { return colorOf(i, 255 - i, i / 2); },
         [](int i) { return static_cast<std::uint32_t>(i << 16 | (255 - i) << 8 | i / 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<OMColorRecord> table(256);
        for (int i = 0; c.color && i < 256; ++i) table[i] = c.color(i);
        if (c.color) canvas.setColorTable(table.data());
        canvas.getColorTable(table.data());
        PALETTEENTRY entries[256];
        RGBQUAD dib[256];
        ASSERT_EQ(GetPaletteEntries(canvas.palette, 0, 256, entries), 256u);
        ASSERT_EQ(GetDIBColorTable(canvas.dc, 0, 256, dib), 256u);
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t want = isStaticEntry(i) ? systemRgb(i) : c.expected(i);
            const std::uint32_t dibRgb = dib[i].rgbRed << 16 | dib[i].rgbGreen << 8 | dib[i].rgbBlue;
            EXPECT_EQ(std::vector<std::uint32_t>({rgbOf(table[i]), rgbOf(canvas.colorAt(i)), dibRgb}),
                      std::vector<std::uint32_t>(3, want)) << "entry " << i;
            EXPECT_EQ(table[i].index, -1);
            EXPECT_EQ(entries[i].peFlags, isStaticEntry(i) ? 0 : PC_RESERVED) << i;
        }
    }
    for (std::int32_t outside : {-1, 256}) {
        EXPECT_EQ(rgbOf(canvas.colorAt(outside)), 0u) << outside;
        EXPECT_EQ(canvas.colorAt(outside).index, -1);
    }
}

TEST(MemCanvasTest, ColorRefGivesPaletteRelativeColoursIndicesAndNoColour) {
    OMMemCanvas shallow(2, 2, 8, 1);
    OMMemCanvas deep(2, 2, 16, 1);
    std::vector<OMColorRecord> table(256, colorOf(0, 0, 0));
    table[40] = colorOf(0x12, 0x34, 0x56);
    deep.setColorTable(table.data());
    const std::uint32_t system5 = systemRgb(5);
    const std::uint32_t entry5 = 0x02000000u | (system5 & 0xFF) << 16 | (system5 & 0xFF00) | system5 >> 16;
    const std::tuple<OMColorRecord, std::uint32_t, std::uint32_t> cases[] = {
        {colorOf(10, 20, 30), 0x021E140A, 0x021E140A},       {{0, 0, 0, 5}, 0x01000005, entry5},
        {{0, 0, 0, 40}, 0x01000028, 0x02563412},             {{0, 0, 0, 0x128}, 0x01000128, 0x02563412},
        {{0xFF00, 0, 0, kNoColor}, 0xFFFFFFFF, 0xFFFFFFFF}, {{0xFF00, 0, 0, -7}, 0xFFFFFFFF, 0xFFFFFFFF},
    };
    for (const auto& [color, onShallow, onDeep] : cases) {
        EXPECT_EQ(shallow.colorRef(color), onShallow) << color.index;
        EXPECT_EQ(deep.colorRef(color), onDeep) << color.index;
    }
}

// A 20 x 10 source whose pixel (x, y) is 10 + (x + 20 y) % 200: every pixel differs.
std::uint8_t sourceValue(std::int32_t x, std::int32_t y) { return static_cast<std::uint8_t>(10 + (x + 20 * y) % 200); }

// Every pixel of the 16 x 16 destination after a copy: source pixels where the copy lands, 255 elsewhere.
std::vector<std::uint8_t> expectedCopy(std::int32_t sx, std::int32_t sy, std::int32_t w, std::int32_t h,
                                       std::int32_t dx, std::int32_t dy, const OMRect& allowed) {
    std::vector<std::uint8_t> want(16 * 16, 255);
    for (std::int32_t j = 0; j < h; ++j) {
        for (std::int32_t i = 0; i < w; ++i) {
            const std::int32_t x = dx + i, y = dy + j;
            const bool inSource = sx + i >= 0 && sx + i < 20 && sy + j >= 0 && sy + j < 10;
            const bool inAllowed = x >= allowed.left && x < allowed.right && y >= allowed.top && y < allowed.bottom;
            const bool inDestination = x >= 0 && x < 16 && y >= 0 && y < 16;
            if (inSource && inAllowed && inDestination) want[y * 16 + x] = sourceValue(sx + i, sy + j);
        }
    }
    return want;
}

// The copy changes exactly the pixels inside both canvases, the destination's own clip and the clip
// argument; through GDI the colour-key bit changes nothing.
TEST(MemCanvasTest, CopyFromChangesExactlyThePixelsInsideBothCanvasesAndBothClips) {
    OMMemCanvas source(20, 10, 8, 1);
    for (std::int32_t i = 0; i < 200; ++i) setPixel8(source, i % 20, i / 20, sourceValue(i % 20, i / 20));
    source.setColorKey({0, 0, 0, sourceValue(3, 3)});
    EXPECT_EQ(source.colorKey, 0xFFFFFFFFu);
    const OMRect all{0, 0, 16, 16}, own{2, 2, 12, 9}, given{6, 0, 16, 6}, apart{13, 10, 16, 16}, empty = kEmptyRect;
    const OMRect none{0, 0, 0, 0};
    struct Case { const char* name; std::int32_t sx, sy, w, h, dx, dy; bool ownClip; const OMRect* argument;
                  OMRect changed; std::uint32_t rop; };
    const Case cases[] = {
        {"inside both", 2, 1, 6, 4, 3, 5, false, nullptr, all, kCopyRop},
        {"source partly left and above", -3, -2, 8, 6, 4, 4, false, nullptr, all, kCopyRop},
        {"destination partly outside", 0, 0, 10, 10, 12, -4, false, nullptr, all, kCopyRop},
        {"negative width", 4, 4, -3, 2, 0, 0, false, nullptr, all, kCopyRop},
        {"both clips: their intersection", 0, 0, 16, 10, 0, 0, true, &given, {6, 2, 12, 6}, kCopyRop},
        {"disjoint clips: nothing", 0, 0, 16, 10, 0, 0, true, &apart, none, kCopyRop},
        {"empty argument: nothing", 0, 0, 16, 10, 0, 0, false, &empty, none, kCopyRop},
        {"colour-keyed, clipped", 0, 0, 16, 10, 0, 0, false, &all, all, kColorKeyedCopy | kCopyRop},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OMMemCanvas destination(16, 16, 8, 1);
        if (c.ownClip) destination.clip.setRect(own);
        const OMRegion argument = c.argument ? regionOf(*c.argument) : OMRegion();
        destination.copyFrom(source, c.sx, c.sy, c.w, c.h, c.dx, c.dy, c.rop, c.argument ? &argument : nullptr);
        EXPECT_EQ(pixelsOf(destination), expectedCopy(c.sx, c.sy, c.w, c.h, c.dx, c.dy, c.changed));
    }
}

// Marks of a 5 x 5 canvas: '#' the frame colour 249, 'o' the fill colour 250, '.' white.
TEST(MemCanvasTest, RectanglesLinesAndRegionsFollowTheSwitchesAndColours) {
    const std::string blank = ".....\n.....\n.....\n.....\n.....\n";
    struct Case { const char* name; std::int32_t fill, frame; void (*draw)(OMMemCanvas&); std::string marks; };
    const Case cases[] = {
        {"filled and framed rectangle", 1, 1, [](OMMemCanvas& c) { c.drawRectangle({1, 1, 5, 4}); },
         ".....\n.####\n.#oo#\n.####\n.....\n"},
        {"filled only: a pen of the fill colour", 1, 0, [](OMMemCanvas& c) { c.drawRectangle({1, 1, 5, 4}); },
         ".....\n.oooo\n.oooo\n.oooo\n.....\n"},
        {"neither: nothing", 0, 0, [](OMMemCanvas& c) { c.drawRectangle({1, 1, 5, 4}); }, blank},
        {"erase with no colour: nothing", 1, 1, [](OMMemCanvas& c) { c.erase({0xFF00, 0, 0, kNoColor}); }, blank},
        {"line with its end point", 1, 1, [](OMMemCanvas& c) { c.drawLine(0, 2, 3, 2); },
         ".....\n.....\n####.\n.....\n.....\n"},
        {"region filled and framed", 1, 1,
         [](OMMemCanvas& c) {
             const OMRegion r = regionOf({1, 0, 5, 5});
             c.paintRegion(&r);
         },
         ".####\n.#oo#\n.#oo#\n.#oo#\n.####\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OMMemCanvas canvas(5, 5, 8, 1);
        canvas.fillColor = {0, 0, 0, 250};
        canvas.frameColor = {0, 0, 0, 249};
        canvas.fillEnabled = c.fill;
        canvas.frameEnabled = c.frame;
        c.draw(canvas);
        std::string marks;
        for (std::int32_t i = 0; i < 25; ++i) {
            const std::uint8_t p = pixelAt(canvas, i % 5, i / 5);
            marks += std::string(p == 249 ? "#" : p == 250 ? "o" : p == 255 ? "." : "?") + (i % 5 == 4 ? "\n" : "");
        }
        EXPECT_EQ(marks, c.marks);
    }
}
}  // namespace
