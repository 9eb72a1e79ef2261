// Windows and window canvases in full-screen DirectDraw mode: frameless windows over the client area,
// the primary surface presenting to the screen, the flipping chain of attached memory canvases, and a
// lost primary surface restored on WM_PAINT and on activation.
#include <windows.h>

#include <ddraw.h>

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "DirectDrawSupport.h"
#include "DrawingSupport.h"
#include "OMColorTable.h"
#include "OMRegion.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"
#include "WindowSupport.h"

namespace {

// Static entries, whose colours the 8-bit screen shows exactly.
constexpr std::uint8_t kStripes[] = {0, 1, 7, 9, 246, 249, 252, 255};

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The colour the screen shows at (x, y) of a window's client area, as 0x00RRGGBB.
std::uint32_t screenColor(HWND window, std::int32_t x, std::int32_t y) {
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return static_cast<std::uint32_t>(GetRValue(color)) << 16 | GetGValue(color) << 8 | GetBValue(color);
}

// Eight stripes of 4 x 6 pixels, one per static entry, with `shift` rotating which entry comes first.
void drawStripes(OMMemCanvas& canvas, int shift = 0) {
    for (std::int32_t y = 0; y < 6; ++y) {
        for (std::int32_t x = 0; x < 32; ++x) setPixel8(canvas, x, y, kStripes[(x / 4 + shift) % 8]);
    }
}

class PrimarySurfaceTest : public DirectDrawFixture {
protected:
    void TearDown() override {
        windows.clear();
        DirectDrawFixture::TearDown();
    }
    OMWindow& makeWindow(std::int32_t kind = kFrameNone) {
        const OMRect frame{10, 10, 200, 150};
        windows.push_back(std::make_unique<OMWindow>(&frame, kind, 0));
        windows.back()->showInactive();
        pump();
        return *windows.back();
    }
    // The stripes as the screen shows them at (left, top) of the window, each stripe's colour once.
    std::vector<std::uint32_t> stripesOnScreen(const OMWindow& window, std::int32_t left, std::int32_t top) {
        std::vector<std::uint32_t> seen;
        for (int s = 0; s < 8; ++s) seen.push_back(screenColor(window.hwnd, left + 4 * s + 1, top + 2));
        return seen;
    }
    static std::vector<std::uint32_t> stripeColours(int shift = 0) {
        std::vector<std::uint32_t> colours;
        for (int s = 0; s < 8; ++s) colours.push_back(systemRgb(kStripes[(s + shift) % 8]));
        return colours;
    }
    std::vector<std::unique_ptr<OMWindow>> windows;
};

// Whatever kind and frame are asked for, the window has no frame and covers the main window's client
// area; its canvas draws on the primary surface, whose DirectDraw palette follows the canvas's.
TEST_F(PrimarySurfaceTest, AWindowCoversTheClientAreaWithoutFrameAndDrawsOnThePrimarySurface) {
    makeApp();
    OMWindow& window = makeWindow(kFrameSizing);
    EXPECT_EQ(window.kind, kFrameNone);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window.hwnd, GWL_STYLE)) & ~static_cast<DWORD>(WS_VISIBLE), 0x44000000u);
    RECT client{};
    GetClientRect(app->window, &client);
    EXPECT_TRUE(window.rectInMainWindow() == (OMRect{0, 0, client.right, client.bottom}));
    const OMRect elsewhere{5, 5, 50, 50};
    window.setFrame(&elsewhere, 0);
    EXPECT_TRUE(window.rectInMainWindow() == (OMRect{0, 0, client.right, client.bottom})) << "frames stay";

    OMWndCanvas& canvas = *window.canvas;
    EXPECT_TRUE(canvas.drawsOnSurface());
    EXPECT_NE(capsOf(canvas.surface) & DDSCAPS_PRIMARYSURFACE, 0u);
    IDirectDrawPalette* attached = nullptr;
    ASSERT_EQ(canvas.surface->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, canvas.ddPalette);
    attached->Release();
    std::vector<OMColorRecord> table(256, colorOf(10, 40, 90));
    canvas.setColorTable(table.data());
    PALETTEENTRY entries[256]{};
    ASSERT_EQ(canvas.ddPalette->GetEntries(0, 0, 256, entries), DD_OK);
    for (int i : {9, 10, 245, 246}) {
        const std::uint32_t want = isStaticEntry(i) ? systemRgb(i) : 0x0A285Au;
        EXPECT_EQ(static_cast<std::uint32_t>(entries[i].peRed << 16 | entries[i].peGreen << 8 | entries[i].peBlue), want) << i;
    }
}

// From a surface (blits) and from a GDI memory canvas (through the primary surface's device context),
// plain and clipped; and back from the screen into a memory canvas.
TEST_F(PrimarySurfaceTest, ACopyToTheWindowCanvasReachesTheScreen) {
    for (std::int32_t noSurfaces : {0, 1}) {
        SCOPED_TRACE(noSurfaces ? "from a GDI memory canvas" : "from a surface");
        makeApp(4, 1, noSurfaces);
        OMWindow& window = makeWindow();
        OMWndCanvas& screen = *window.canvas;
        OMMemCanvas& picture = makeCanvas(32, 6);
        ASSERT_EQ(picture.drawsOnSurface(), noSurfaces == 0);
        drawStripes(picture);
        screen.copyFrom(picture, 0, 0, 32, 6, 20, 30, kCopyRop, nullptr);
        EXPECT_EQ(stripesOnScreen(window, 20, 30), stripeColours());

        screen.copyFrom(picture, 0, 0, 32, 6, 20, 40, kCopyRop, nullptr);
        drawStripes(picture, 3);
        const OMRegion left = [] {
            OMRegion region;
            region.setRect({20, 40, 36, 46});
            return region;
        }();
        screen.copyFrom(picture, 0, 0, 32, 6, 20, 40, kCopyRop, &left);
        std::vector<std::uint32_t> want = stripeColours(3);
        for (int s = 4; s < 8; ++s) want[s] = stripeColours()[s];
        EXPECT_EQ(stripesOnScreen(window, 20, 40), want) << "only the clip region changed";

        OMMemCanvas& back = makeCanvas(32, 6);
        back.copyFrom(screen, 20, 30, 32, 6, 0, 0, kCopyRop, nullptr);
        for (int s = 0; s < 8; ++s) EXPECT_EQ(pixelAt(back, 4 * s + 2, 3), kStripes[s]) << "read back, stripe " << s;
        windows.clear();
        canvases.clear();
    }
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
    EXPECT_EQ(paint(), "") << "the restore failed";
    EXPECT_EQ(lost.restores, 1);
    EXPECT_EQ(paint(), "") << "it failed again";
    EXPECT_EQ(lost.restores, 2);
    lost.restorable = true;
    EXPECT_EQ(paint(), "paint ");
    EXPECT_EQ(lost.restores, 3);
    EXPECT_EQ(paint(), "paint ") << "a surface that is not lost paints at once";
    EXPECT_EQ(lost.restores, 3);
    EXPECT_FALSE(GetUpdateRect(window.hwnd, nullptr, FALSE)) << "each paint cycle validated the window";

}

// An erase has the window repaint itself; with no colour, or without a usable surface, it only records.
TEST_F(PrimarySurfaceTest, ErasingTheWindowCanvasRepaintsTheWindow) {
    makeApp();
    OMWindow& window = makeWindow();
    const OMLinkToFct painted = logLink("paint ");
    window.setPaintHandler(&painted);
    LostSurface lost;
    for (const auto& [entry, usable, repainted] :
         {std::tuple{249, true, "paint "}, std::tuple{kNoColor, true, ""}, std::tuple{252, false, ""}}) {
        handlerLog.clear();
        IDirectDrawSurface* primary = window.canvas->surface;
        SurfaceSwap swap(window.canvas->surface, usable ? primary : &lost);
        window.canvas->erase({0, 0, 0, entry});
        EXPECT_EQ(window.canvas->backgroundColor.index, entry);
        EXPECT_EQ(handlerLog, repainted) << "erase with " << entry;
    }
}

// Gaining activation in mode 4 restores the active window's primary surface and repaints the window,
// unless the restore fails.
TEST_F(PrimarySurfaceTest, ActivationRestoresALostPrimarySurfaceBeforeRepainting) {
    makeApp();
    OMWindow& window = makeWindow();
    window.activate();
    const OMLinkToFct painted = logLink("paint ");
    window.setPaintHandler(&painted);
    LostSurface lost;
    SurfaceSwap swap(window.canvas->surface, &lost);
    for (bool restorable : {false, true, true}) {
        SCOPED_TRACE(restorable ? "restorable" : "not restorable");
        handlerLog.clear();
        lost.restorable = restorable;
        app->active = 0;
        app->activateApp();
        EXPECT_EQ(handlerLog, restorable ? "paint " : "");
    }
    EXPECT_EQ(lost.restores, 2) << "the surface was no longer lost the third time";
}

// A canvas that may live in video memory, refused as an attachment (here its size differs from the
// screen's), becomes the newest back buffer of a rebuilt chain; each flip shows the next back buffer.
// Detaching rebuilds the chain without it and gives it a surface of its own again.
TEST_F(PrimarySurfaceTest, AttachedCanvasesBecomeTheBackBuffersThatFlipsShowInOrder) {
    makeApp();
    OMWindow& window = makeWindow();
    OMWndCanvas& screen = *window.canvas;
    OMMemCanvas& first = makeCanvas(32, 6, kVideoMemorySurface | kSystemMemorySurface);
    OMMemCanvas& second = makeCanvas(32, 6, kVideoMemorySurface | kSystemMemorySurface);
    OMMemCanvas& plain = makeCanvas(32, 6, kSystemMemorySurface);
    const auto flipped = [&] {
        screen.restoreSurfaces();
        return stripesOnScreen(window, 0, 0);
    };

    ASSERT_TRUE(screen.attachMemCanvas(&first));
    ASSERT_EQ(screen.attached.count, 1);
    EXPECT_NE(capsOf(screen.surface) & DDSCAPS_FLIP, 0u);
    EXPECT_NE(capsOf(first.surface) & DDSCAPS_BACKBUFFER, 0u);
    drawStripes(first);
    EXPECT_EQ(flipped(), stripeColours());

    ASSERT_TRUE(screen.attachMemCanvas(&second));
    ASSERT_EQ(screen.attached.count, 2);
    EXPECT_EQ(screen.attached.head->element, &first);
    drawStripes(first, 1);
    drawStripes(second, 2);
    EXPECT_EQ(flipped(), stripeColours(1)) << "the first canvas holds the first back buffer";
    EXPECT_EQ(flipped(), stripeColours(2));

    EXPECT_FALSE(screen.attachMemCanvas(&plain)) << "refused, and not allowed in video memory";
    screen.detachMemCanvas(&plain);
    EXPECT_EQ(screen.attached.count, 2) << "a canvas that is not a back buffer leaves the chain as it is";

    screen.detachMemCanvas(&second);
    ASSERT_EQ(screen.attached.count, 1);
    EXPECT_EQ(capsOf(second.surface) & (DDSCAPS_OFFSCREENPLAIN | DDSCAPS_BACKBUFFER), DDSCAPS_OFFSCREENPLAIN);
    EXPECT_NE(capsOf(first.surface) & DDSCAPS_BACKBUFFER, 0u);
    drawStripes(first, 4);
    EXPECT_EQ(flipped(), stripeColours(4));

    screen.detachMemCanvas(&first);
    EXPECT_EQ(screen.attached.count, 0);
    EXPECT_EQ(capsOf(screen.surface) & (DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP), DDSCAPS_PRIMARYSURFACE);
}

}  // namespace
