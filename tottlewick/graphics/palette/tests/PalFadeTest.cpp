// Palette fades on a window canvas, timed by an injected engine clock that moves 25 ms on every reading.
// The fade's levels are read back from the work palette that the canvases use while it runs.
#include "CanvasPalette.h"
#include "EngineClock.h"
#include "GraphicsTestSupport.h"
#include "PalFade.h"

namespace {

std::uint32_t fakeNow = 0;
std::uint32_t steppingClock() {
    const std::uint32_t now = fakeNow;
    fakeNow += 25;
    return now;
}

// What the callback sees on each pass: entry 100 of the window canvas's palette.
Canvas watched = 0;
std::vector<COLORREF> seen;
std::int16_t recordPass() {
    const COLORREF colour = PalGetEntryColor(CanvasGetPalette(watched), 100);
    if (seen.empty() || seen.back() != colour) seen.push_back(colour);
    return 1;
}
std::int16_t stopAtOnce() { return 0; }

struct PalFadeTest : GraphicsTest {
    void SetUp() override {
        GraphicsTest::SetUp();
        fakeNow = 0;
        ClockSetSource(steppingClock);
        colours = useTestPalette();
        window = onWindow(popup(64, 64));
        picture = memory(16, 16);
        ASSERT_NE(window, 0u);
        ASSERT_NE(grey = stock(kPalStockGrey), nullptr);
        watched = window;
        seen.clear();
    }
    void TearDown() override {
        ClockSetSource(nullptr);
        GraphicsTest::TearDown();
    }
    HPALETTE colours = nullptr;
    HPALETTE grey = nullptr;
    Canvas window = 0;
    Canvas picture = 0;
};

TEST_F(PalFadeTest, FourStepsOverFourHundredMillisecondsThenTheOldPaletteHoldsTheTarget) {
    ASSERT_EQ(PalFadeBegin(window, colours, grey, 0, 256), 1);
    HPALETTE work = CanvasGetPalette(window);
    EXPECT_EQ((Results{work != colours, CanvasGetPalette(picture) == work}), (Results{1, 1}))
        << "every canvas of the old palette fades";
    PalFadeRun(4, 400, recordPass);
    recordPass();
    // Entry 100 goes from (100, 44, 155) to (100, 100, 100): each component c x 257 moves by
    // (to - from) x level >> 8 and is read back from its high byte.
    const std::vector<COLORREF> levels = {RGB(100, 44, 155), RGB(100, 58, 141), RGB(100, 72, 128), RGB(100, 86, 114),
                                          RGB(100, 100, 100)};
    EXPECT_EQ(seen, levels) << "levels 64, 128, 192, then 256";
    EXPECT_EQ((Results{PalFadeEnd(), CanvasGetPalette(window) == colours, CanvasGetPalette(picture) == colours,
                       GetObjectType(work), MemHandleFind(0, "CLUT", nullptr)}),
              (Results{1, 1, 1, 0, 0})) << "the work palette and the CLUTs are freed";
    for (int i : {10, 100, 245}) {
        EXPECT_EQ((Results{PalGetEntryColor(colours, std::uint16_t(i)), tableColour(picture, i)}),
                  (Results{RGB(i, i, i), RGB(i, i, i)})) << i;
    }
}

// A fade on a memory canvas keeps nothing; a range from 0 with 20 static colours starts at 10; a fade
// stopped at once still ends on its target.
TEST_F(PalFadeTest, AFadeStoppedAtOnceEndsOnItsTargetAndTheRangeLeavesTheStaticColours) {
    PalFadeBegin(picture, colours, grey, 0, 256);
    EXPECT_EQ(MemHandleFind(0, "CLUT", nullptr), 0u);
    PalFadeStep(256);
    EXPECT_EQ((Results{CanvasGetPalette(picture) == colours, PalGetEntryColor(colours, 100), PalFadeEnd()}),
              (Results{1, testColor(100), 0})) << "a fade on a memory canvas starts nothing and keeps nothing";
    ASSERT_EQ(PalFadeBegin(window, colours, grey, 0, 12), 1);
    HPALETTE work = CanvasGetPalette(window);
    PalFadeStep(256);
    EXPECT_EQ((Results{PalGetEntryColor(work, 11), PalGetEntryColor(work, 12), entryOf(work, 9).peFlags}),
              (Results{RGB(11, 11, 11), testColor(12), 0})) << "static colours are arranged in the work palette";
    PalFadeEnd();
    EXPECT_EQ(PalFadeBegin(window, colours, grey, 250, 7) + PalFadeBegin(window, nullptr, grey, 0, 1), 0)
        << "past entry 255; no palette";
    ASSERT_EQ(PalFadeBegin(window, colours, grey, 0, 256), 1);
    PalFadeRun(4, 400, stopAtOnce);
    EXPECT_EQ(PalGetEntryColor(CanvasGetPalette(window), 100), RGB(100, 100, 100));
    PalFadeEnd();
}

TEST_F(PalFadeTest, FadesToAndFromBlackAndAColour) {
    ASSERT_EQ(PalFadeInBegin(window), 1);
    PalFadeRun(4, 100, recordPass);
    PalFadeInEnd();
    EXPECT_EQ((Results{seen.front(), PalGetEntryColor(colours, 100)}), (Results{0, testColor(100)}))
        << "a fade in starts black";
    PalFadeToColor(window, RGB(10, 20, 30), 2, 100);
    const COLORREF toColour = PalGetEntryColor(colours, 100);
    PalFadeOut(window, 2, 100);
    const COLORREF toBlack = PalGetEntryColor(colours, 100);
    PalFadeFromColor(window, RGB(1, 2, 3), 0, 100);
    EXPECT_EQ((Results{toColour, toBlack, PalGetEntryColor(colours, 100), CanvasGetPalette(window) == colours,
                       MemHandleFind(0, "CLUT", nullptr)}),
              (Results{RGB(10, 20, 30), 0, 0, 1, 0})) << "from the colour back to the canvas's own";
    ASSERT_EQ(PalFadeOutBegin(window), 1);
    HPALETTE work = CanvasGetPalette(window);
    PalMgrTerm();
    EXPECT_EQ((Results{GetObjectType(work), MemHandleFind(0, "CLUT", nullptr)}), (Results{0, 0}))
        << "stopping the manager ends a fade that was never ended";
    PalMgrInit();
}

}  // namespace
