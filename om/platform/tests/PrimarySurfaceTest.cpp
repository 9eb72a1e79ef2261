// Window canvases in full-screen DirectDraw mode: the primary surface presenting to the screen, and a lost
// primary surface restored on WM_PAINT.
#include "DirectDrawSupport.h"
#include "DrawingSupport.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"
#include "WindowSupport.h"

namespace {
// Static entries, whose colours the 8-bit screen shows exactly.
constexpr std::uint8_t kStripes[] = {0, 1, 7, 9, 246, 249, 252, 255};

struct PrimarySurfaceTest : DirectDrawFixture {
    void TearDown() override {
        windows.clear();
        DirectDrawFixture::TearDown();
    }
    OMWindow& makeWindow() {
        const OMRect frame{10, 10, 200, 150};
        windows.push_back(std::make_unique<OMWindow>(&frame, kFrameNone, 0));
        windows.back()->showInactive();
        pumpMessages();
        return *windows.back();
    }
    std::vector<std::unique_ptr<OMWindow>> windows;
};

// From a surface (a blit) and from a GDI memory canvas (through the primary surface's device context).
TEST_F(PrimarySurfaceTest, ACopyToTheWindowCanvasReachesTheScreen) {
    for (std::int32_t noSurfaces : {0, 1}) {
        SCOPED_TRACE(noSurfaces ? "from a GDI memory canvas" : "from a surface");
        makeApp(4, 1, noSurfaces);
        OMWindow& window = makeWindow();
        OMMemCanvas& picture = makeCanvas(32, 6);
        ASSERT_EQ(picture.drawsOnSurface(), noSurfaces == 0);
        for (std::int32_t x = 0; x < 32; ++x) {
            for (std::int32_t y = 0; y < 6; ++y) setPixel8(picture, x, y, kStripes[x / 4]);
        }
        window.canvas->copyFrom(picture, 0, 0, 32, 6, 20, 30, kCopyRop, nullptr);
        for (int s = 0; s < 8; ++s) EXPECT_EQ(screenColor(window.hwnd, 20 + 4 * s + 1, 32), systemRgb(kStripes[s])) << s;
        windows.clear();
        canvases.clear();
    }
}

// A memory canvas that may live in video memory, refused as an attachment of the plain primary surface,
// becomes the back buffer of a rebuilt flipping chain; the flip shows what it drew on the screen. Detaching
// a canvas that is not in the chain changes nothing; detaching the back buffer gives it a surface of its own
// and the window a plain primary surface again.
TEST_F(PrimarySurfaceTest, AnAttachedMemoryCanvasIsFlippedToTheScreenAndDetachedAgain) {
    makeApp();
    OMWndCanvas& screen = *makeWindow().canvas;
    OMMemCanvas& frame = makeCanvas(32, 6, kVideoMemorySurface | kSystemMemorySurface);
    OMMemCanvas& other = makeCanvas(8, 8);
    const auto chain = [&] {
        return std::vector<DWORD>{DWORD(screen.attached.count), capsOf(screen.surface) & DDSCAPS_FLIP,
                                  capsOf(frame.surface) & DDSCAPS_BACKBUFFER, DWORD(frame.surface != nullptr)};
    };
    ASSERT_TRUE(screen.attachMemCanvas(&frame));
    EXPECT_EQ(chain(), (std::vector<DWORD>{1, DDSCAPS_FLIP, DDSCAPS_BACKBUFFER, 1}));
    for (std::int32_t x = 0; x < 32; ++x) {
        for (std::int32_t y = 0; y < 6; ++y) setPixel8(frame, x, y, kStripes[x / 4]);
    }
    screen.restoreSurfaces();
    // The screen shows the flipped chain once the window's messages are handled.
    for (int tries = 0; tries < 200 && screenColor(nullptr, 21, 2) != systemRgb(kStripes[5]); ++tries) {
        pumpMessages();
        Sleep(10);
    }
    for (int s = 0; s < 8; ++s) EXPECT_EQ(screenColor(nullptr, 4 * s + 1, 2), systemRgb(kStripes[s])) << s;
    screen.detachMemCanvas(&other);
    EXPECT_EQ(chain(), (std::vector<DWORD>{1, DDSCAPS_FLIP, DDSCAPS_BACKBUFFER, 1}));
    screen.detachMemCanvas(&frame);
    EXPECT_EQ(chain(), (std::vector<DWORD>{0, 0, 0, 1}));
}

// The paint handler runs after the paint cycle once the primary surface is usable: a lost surface is
// restored first, and when that fails the handler is skipped until a later WM_PAINT restores it.
TEST_F(PrimarySurfaceTest, ALostPrimarySurfaceIsRestoredOnWmPaintBeforeThePaintHandler) {
    makeApp();
    OMWindow& window = makeWindow();
    const OMLinkToFct painted = logLink("paint ");
    window.setPaintHandler(&painted);
    LostSurface lost;
    SurfaceSwap swap(window.canvas->surface, &lost);
    const auto paint = [&] {
        handlerLog.clear();
        InvalidateRect(window.hwnd, nullptr, FALSE);
        UpdateWindow(window.hwnd);
        return handlerLog;
    };
    // Twice failing, then restored, then no longer lost.
    for (const auto& [restorable, logged, restores] :
         {std::tuple{false, "", 1}, std::tuple{false, "", 2}, std::tuple{true, "paint ", 3}, std::tuple{true, "paint ", 3}}) {
        lost.restorable = restorable;
        EXPECT_EQ(paint(), logged);
        EXPECT_EQ(lost.restores, restores);
    }
    EXPECT_FALSE(GetUpdateRect(window.hwnd, nullptr, FALSE)) << "each paint cycle validated the window";
}
}  // namespace
