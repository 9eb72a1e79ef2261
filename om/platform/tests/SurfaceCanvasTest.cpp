// Memory canvases as DirectDraw surfaces: where they live, the same drawing as through GDI, colour keys
// and keyed copies.
#include "DirectDrawSupport.h"
#include "DrawingSupport.h"
#include "OMColorTable.h"

namespace {
// A 24 x 16 source whose pixel (x, y) is 10 + (x + 24 y) % 230, with a stripe of index 77 in column 5
// and row 3.
std::uint8_t sourceValue(std::int32_t x, std::int32_t y) {
    return x == 5 || y == 3 ? 77 : static_cast<std::uint8_t>(10 + (x + 24 * y) % 230);
}

void fillSource(OMMemCanvas& source) {
    for (std::int32_t i = 0; i < 24 * 16; ++i) setPixel8(source, i % 24, i / 24, sourceValue(i % 24, i / 24));
}

std::vector<OMColorRecord> programColours() {
    std::vector<OMColorRecord> table(256);
    for (int i = 0; i < 256; ++i) table[i] = colorOf(i, 3 * i & 0xFF, 255 - i);
    return table;
}

// The same drawing on two canvases of one kind: palette, erase through it, a shape, text and copies plain,
// clipped and partly outside. Both canvases share the palette, so copies through GDI, which match
// colours, keep the indices as blits do.
void drawScene(OMMemCanvas& canvas, OMMemCanvas& source) {
    canvas.setColorTable(programColours().data());
    source.setColorTable(programColours().data());
    canvas.erase({0, 0, 0, 250});
    canvas.fillColor = {0, 0, 0, 12};
    canvas.frameColor = {0, 0, 0, 249};
    canvas.penWidth = 2;
    canvas.drawRectangle({4, 4, 30, 20});
    canvas.textColor = colorOf(0, 255, 0);
    canvas.drawText(2, 60, "Surface");
    canvas.copyFrom(source, 0, 0, 24, 16, 34, 40, kCopyRop, nullptr);
    const OMRegion band = regionOf({0, 66, 64, 70});
    canvas.copyFrom(source, 0, 0, 24, 16, 6, 60, kCopyRop, &band);
    canvas.copyFrom(source, 10, 4, 30, 30, 50, 58, kCopyRop, nullptr);
}

using SurfaceCanvasTest = DirectDrawFixture;

// Video memory is tried first when the flags allow it, system memory second; with surfaces refused the
// canvas is a DIB section. A canvas without a surface fails its locks and device contexts quietly.
TEST_F(SurfaceCanvasTest, AMemoryCanvasIsASurfaceWhereItsFlagsAllowUnlessSurfacesAreRefused) {
    const std::tuple<std::int32_t, std::uint32_t, DWORD> cases[] = {
        // noDirectDrawSurfaces, flags, where the surface may be
        {1, kSystemMemorySurface, 0},
        {0, kVideoMemorySurface | kSystemMemorySurface, DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY},
    };
    for (const auto& [noSurfaces, flags, places] : cases) {
        SCOPED_TRACE("noDirectDrawSurfaces " + std::to_string(noSurfaces));
        makeApp(4, 1, noSurfaces);
        OMMemCanvas& canvas = makeCanvas(10, 6, flags);
        EXPECT_EQ(std::make_pair(canvas.drawsOnSurface(), canvas.bits != nullptr),
                  std::make_pair(noSurfaces == 0, noSurfaces == 1));
        EXPECT_EQ(pixelsOf(canvas), std::vector<std::uint8_t>(60, 255)) << "a new canvas is white";
        EXPECT_EQ((capsOf(canvas.surface) & places) != 0, noSurfaces == 0);
    }
    OMMemCanvas& none = makeCanvas(10, 6, 0);
    ASSERT_EQ(none.surface, nullptr);
    std::uint8_t* bits = none.bits;
    std::int32_t pitch = 1;
    EXPECT_FALSE(none.lockBits(bits, pitch));
    EXPECT_EQ(pitch, 0);
    EXPECT_FALSE(none.getDC());
    none.drawRectangle({0, 0, 8, 8});
}

// Drawing goes through the surface's device context with the canvas's palette selected, and copies are
// blits: the pixels come out as those of the same drawing through GDI.
TEST_F(SurfaceCanvasTest, DrawingAndCopiesOnSurfacesGiveThePixelsOfTheGdiPath) {
    std::vector<std::uint8_t> pixels[2];
    for (int directDraw : {0, 1}) {
        SCOPED_TRACE(directDraw ? "through DirectDraw" : "through GDI");
        makeApp(directDraw ? 4 : 0, directDraw, 0, directDraw ? screenRect() : OMRect{0, 0, 640, 480});
        ASSERT_EQ(directDrawActive, directDraw);
        OMMemCanvas& source = makeCanvas(24, 16);
        OMMemCanvas& canvas = makeCanvas(64, 72);
        ASSERT_EQ(canvas.drawsOnSurface(), directDraw == 1);
        fillSource(source);
        drawScene(canvas, source);
        pixels[directDraw] = pixelsOf(canvas);
    }
    EXPECT_EQ(pixels[1], pixels[0]);
    EXPECT_NE(pixels[0], std::vector<std::uint8_t>(64 * 72, 250)) << "the scene drew something";
}

// The key is the raw value of the colour on the source's surface; a keyed copy leaves out the source's
// key pixels, clipped (Blt) or not (BltFast), and a plain copy takes them too.
TEST_F(SurfaceCanvasTest, AColourKeyedCopyLeavesOutTheSourcesKeyPixels) {
    makeApp();
    const std::vector<OMColorRecord> program = programColours();
    const std::tuple<const char*, OMColorRecord, std::uint8_t> keys[] = {
        {"palette index", {0, 0, 0, 77}, 77},
        {"program colour by components", program[100], 100},
    };
    OMMemCanvas& source = makeCanvas(24, 16);
    source.setColorTable(program.data());
    for (const auto& [name, key, raw] : keys) {
        SCOPED_TRACE(name);
        fillSource(source);
        source.setColorKey(key);
        EXPECT_EQ(source.colorKey, raw);
        DDCOLORKEY set{};
        ASSERT_EQ(source.surface->GetColorKey(DDCKEY_SRCBLT, &set), DD_OK);
        EXPECT_EQ(std::make_pair(set.dwColorSpaceLowValue, set.dwColorSpaceHighValue), std::make_pair(DWORD{raw}, DWORD{raw}));
        EXPECT_EQ(pixelAt(source, 0, 0), sourceValue(0, 0)) << "the key was found on the surface and put back";
        const OMRegion inner = regionOf({2, 2, 20, 12});
        for (const auto& [copy, rop, clip] :
             {std::tuple<const char*, std::uint32_t, const OMRegion*>{"keyed", kColorKeyedCopy | kCopyRop, nullptr},
              {"keyed and clipped", kColorKeyedCopy | kCopyRop, &inner},
              {"plain", kCopyRop, nullptr}}) {
            SCOPED_TRACE(copy);
            OMMemCanvas& destination = makeCanvas(24, 16);
            destination.erase({0, 0, 0, 250});
            destination.copyFrom(source, 0, 0, 24, 16, 0, 0, rop, clip);
            std::vector<std::uint8_t> want(24 * 16, 250);
            for (std::int32_t y = 0; y < 16; ++y) {
                for (std::int32_t x = 0; x < 24; ++x) {
                    const bool inside = !clip || (x >= 2 && x < 20 && y >= 2 && y < 12);
                    const bool keyed = (rop & kColorKeyedCopy) && sourceValue(x, y) == raw;
                    if (inside && !keyed) want[y * 24 + x] = sourceValue(x, y);
                }
            }
            EXPECT_EQ(pixelsOf(destination), want);
        }
    }
}
}  // namespace
