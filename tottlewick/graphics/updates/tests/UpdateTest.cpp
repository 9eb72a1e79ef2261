// The update manager: the rounding and merge rules of its lists, the lifetimes of UpdateInvalRect and
// UpdateInvalRectOnce areas across flushes, the transitions' strips and timing, the default window
// procedure, and a flush presenting exactly the merged rectangles on the screen.
#include "CanvasCopy.h"
#include "Draw.h"
#include "UpdateTestSupport.h"
#include "UpdateTransitions.h"

namespace {

struct UpdateTest : ScreenUpdateTest {
    // Each call of the redraw or copy procedure logged as "redraw: ..." or "copy: ...".
    static void redraw(std::uint16_t count, const Rect* r) { log.push_back("redraw: " + rectsCsv(count, r)); }
    static void copy(std::uint16_t count, const Rect* r) { log.push_back("copy: " + rectsCsv(count, r)); }
};

TEST_F(UpdateTest, RectanglesAreRoundedCutToTheScreenAndMerged) {
    struct Case { const char* what; std::vector<Rect> added; const char* want; };
    const Case cases[] = {
        {"rounded out to 4 columns and 2 rows", {{5, 3, 9, 6}}, "4,2,12,6"},
        {"same columns, touching", {{0, 0, 16, 10}, {0, 10, 16, 20}}, "0,0,16,20"},
        {"same rows, touching", {{0, 0, 16, 10}, {16, 0, 32, 10}}, "0,0,32,10"},
        {"the new centre in an entry", {{0, 0, 40, 40}, {24, 24, 48, 32}}, "0,0,48,40"},
        {"an entry's centre in the new", {{32, 32, 40, 40}, {0, 0, 40, 40}}, "0,0,40,40"},
        {"overlapping, centres outside, no shared edges", {{0, 0, 40, 40}, {32, 32, 80, 60}}, "0,0,40,40 32,32,80,60"},
        {"a merge absorbing a later entry", {{0, 0, 8, 8}, {100, 0, 108, 8}, {0, 0, 108, 8}}, "0,0,108,8"},
        {"cut to the screen", {{630, 470, 650, 490}}, "628,470,640,480"},
        {"outside the screen", {{700, 10, 720, 20}, {-20, -20, 0, 0}}, ""},
        {"an edge at the 16-bit limit", {{600, 400, 32767, 32767}}, "600,400,640,480"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UpdateClearCurrent();
        for (const Rect& r : c.added) UpdateInvalRect(&r);
        EXPECT_EQ(rects(), c.want);
    }
}

TEST_F(UpdateTest, AFullListCollapsesToTheScreen) {
    for (int i = 0; i < kUpdateCapacity; ++i) {
        const Rect r = {std::int16_t(i % 16 * 40), std::int16_t(i / 16 * 40), std::int16_t(i % 16 * 40 + 8),
                        std::int16_t(i / 16 * 40 + 4)};
        UpdateInvalRect(&r);
    }
    EXPECT_EQ(UpdateGetRects(nullptr), kUpdateCapacity);
    const Rect merging{0, 0, 8, 4};
    UpdateInvalRect(&merging);
    EXPECT_EQ(UpdateGetRects(nullptr), kUpdateCapacity);
    const Rect apart{400, 400, 404, 402};
    UpdateInvalRect(&apart);
    EXPECT_EQ(rects(), "0,0,640,480");
}

TEST_F(UpdateTest, AreasReachTheRedrawAtTwoFlushesOrOnce) {
    UpdateSetRedrawProc(redraw);
    UpdateSetCopyProc(copy);
    const Rect twice{0, 0, 8, 8}, once{100, 100, 108, 108};
    UpdateInvalRect(&twice);
    UpdateInvalRectOnce(&once);
    for (int i = 0; i < 3; ++i) UpdateFlush();
    EXPECT_EQ(log, (std::vector<std::string>{"redraw: 100,100,108,108 0,0,8,8", "copy: 100,100,108,108 0,0,8,8",
                                             "redraw: 0,0,8,8", "copy: 0,0,8,8"}));
}

// The first invalidation made during a flush is dropped; later ones land as usual.
TEST_F(UpdateTest, TheFirstInvalidationDuringAFlushIsDropped) {
    UpdateSetRedrawProc([](std::uint16_t count, const Rect* r) {
        redraw(count, r);
        if (log.size() > 1) return;
        const Rect dropped{200, 200, 208, 208}, kept{300, 300, 308, 308};
        UpdateInvalRectOnce(&dropped);
        UpdateInvalRectOnce(&kept);
    });
    const Rect first{0, 0, 8, 8};
    UpdateInvalRectOnce(&first);
    for (int i = 0; i < 3; ++i) UpdateFlush();
    EXPECT_EQ(log, (std::vector<std::string>{"redraw: 0,0,8,8", "redraw: 300,300,308,308"}));
    const Rect after{8, 8, 16, 16};
    UpdateInvalRect(&after);
    EXPECT_EQ(rects(), "8,8,16,16");
}

TEST_F(UpdateTest, TransitionsCopyStripsOnTheClockThenTheNextFlushCopiesPlainly) {
    struct Case { std::int16_t kind; Rect dirty; std::vector<std::string> want; bool emptyFlushFirst = false; };
    const Case cases[] = {
        {2, {0, 0, 40, 6}, {"0,0,16,6@0", "16,0,32,6@50", "32,0,48,6@100"}},
        {3, {0, 0, 40, 6}, {"24,0,40,6@0", "8,0,24,6@50", "-8,0,8,6@100"}},
        {5, {0, 0, 8, 40}, {"0,24,8,40@0", "0,8,8,24@50", "0,-8,8,8@100"}},
        {6, {0, 0, 8, 40}, {"0,0,8,16@0", "0,16,8,32@50", "0,32,8,48@100"}},
        {7, {0, 0, 8, 6}, {"0,0,8,1@0", "0,4,8,5@0", "0,1,8,2@125", "0,5,8,6@125", "0,2,8,3@250", "0,3,8,4@375"}},
        {1, {0, 0, 8, 6}, {"0,0,8,1@0", "0,4,8,5@0", "0,1,8,2@125", "0,5,8,6@125", "0,2,8,3@250", "0,3,8,4@375"}},
        {4, {0, 0, 8, 6}, {"fade@0"}},
        {9, {0, 0, 8, 6}, {}},
        {2, {0, 0, 40, 6}, {}, true},  // a flush with nothing dirty drops the pending transition
    };
    UpdateSetCopyProc(copy);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        UpdateClearCurrent();
        UpdateFlush();
        UpdateFlush();
        UpdateSetTransition(c.kind);
        log.clear();
        now = 0;
        if (c.emptyFlushFirst) UpdateFlush();
        UpdateInvalRectOnce(&c.dirty);
        UpdateFlush();
        std::vector<std::string> want = c.want;
        if (want.empty()) want.push_back("copy: " + rectCsv(c.dirty));
        EXPECT_EQ(log, want);
        log.clear();
        UpdateInvalRectOnce(&c.dirty);
        UpdateFlush();
        EXPECT_EQ(log, std::vector<std::string>{"copy: " + rectCsv(c.dirty)});
    }
}

TEST_F(UpdateTest, PaintRepaintsTheWholePictureAndResultsAreCutTo16Bits) {
    HWND screen = popup(64, 48);
    EXPECT_EQ(UpdateWindowProc(screen, WM_PAINT, 0, 0), 0x2345);
    EXPECT_TRUE(log.empty()) << "no window canvas: nothing painted";
    window = onWindow(screen);
    EXPECT_EQ((Results{UpdateWindowProc(screen, WM_PAINT, 0, 0), UpdateWindowProc(screen, 10007, 0, 0)}),
              (Results{0x2345, 1}));
    EXPECT_EQ(log, (std::vector<std::string>{"margins", "screen@0"}));
}

// On the display: the window shows yellow, the offscreen picture turns blue without being marked, and a
// flush must bring exactly the merged dirty rectangles to the screen.
TEST_F(UpdateTest, AFlushPresentsExactlyTheMergedRectangles) {
    ASSERT_NE(window = onWindow(popup(640, 480, true)), 0u);
    UpdateSetWindowCanvas(window);
    useTestPalette();
    PortSet(offscreen);
    DrawFillRectIndex(&kScreen, 255);
    UpdateCopyToScreen(&kScreen);
    DrawFillRectIndex(&kScreen, 0);
    const Rect dirty[] = {
        {5, 3, 9, 6}, {100, 100, 140, 120}, {132, 110, 180, 130}, {300, 300, 320, 320}, {300, 320, 320, 340}};
    for (const Rect& r : dirty) UpdateInvalRect(&r);
    const std::vector<Rect> merged = {{4, 2, 12, 6}, {100, 100, 140, 120}, {132, 110, 180, 130}, {300, 300, 320, 340}};
    ASSERT_EQ(rects(), rectsCsv(4, merged.data()));
    UpdateFlush();
    GdiFlush();
    Rgb24Dc shot(640, 480);
    BitBlt(shot.dc, 0, 0, 640, 480, CanvasGetDC(window), 0, 0, SRCCOPY);
    GdiFlush();
    int wrong = 0, first = 0;
    for (int i = 0; i < 640 * 480; ++i) {
        bool inside = false;
        for (const Rect& r : merged) inside |= RectContainsHV(&r, std::int16_t(i % 640), std::int16_t(i / 640)) != 0;
        // Blue inside, yellow outside: the nearest static colours on a palette display.
        const std::uint8_t* p = static_cast<std::uint8_t*>(shot.bits) + i * 3;
        if (inside ? !(p[0] > 128 && p[2] < 128) : !(p[0] < 128 && p[2] > 128)) first = wrong++ ? first : i;
    }
    EXPECT_EQ(wrong, 0) << "the first wrong pixel: " << first % 640 << "," << first / 640;
}

}  // namespace
