// The application in DirectDraw mode: the set-up in mode 4, the mode and DirectDraw agreement, silent
// fallbacks, display modes and their enumeration.
#include <windows.h>

#include <ddraw.h>

#include <string>
#include <tuple>

#include "DirectDrawSupport.h"
#include "OMAppInitTerm.h"
#include "OMWindow.h"

namespace {

// Only a DirectDraw that holds the screen exclusively may make a flipping primary surface.
HRESULT makeFlippingPrimary(IDirectDraw2* directDraw) {
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    description.dwBackBufferCount = 1;
    IDirectDrawSurface* made = nullptr;
    const HRESULT result = directDraw->CreateSurface(&description, &made, nullptr);
    if (made) made->Release();
    return result;
}

// Whether the system lists the display mode: the answer the enumeration must agree with.
bool systemListsMode(std::int32_t width, std::int32_t height, std::int32_t bits) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD n = 0; EnumDisplaySettingsA(nullptr, n, &mode); ++n) {
        if (static_cast<std::int32_t>(mode.dmPelsWidth) == width && static_cast<std::int32_t>(mode.dmPelsHeight) == height &&
            static_cast<std::int32_t>(mode.dmBitsPerPel) == bits) {
            return true;
        }
    }
    return false;
}

using DirectDrawAppTest = DirectDrawFixture;

TEST_F(DirectDrawAppTest, ModeFourWithDirectDrawTakesTheScreenExclusivelyThroughIDirectDraw2) {
    loadDirectDraw();
    IDirectDraw* normal = nullptr;
    IDirectDraw2* normal2 = nullptr;
    ASSERT_EQ(directDrawLibrary().directDrawCreate(nullptr, &normal, nullptr), DD_OK);
    ASSERT_EQ(normal->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&normal2)), S_OK);
    ASSERT_EQ(normal2->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(makeFlippingPrimary(normal2), DDERR_NOEXCLUSIVEMODE) << "the normal level cannot flip";
    normal2->Release();
    normal->Release();
    for (std::int32_t noSurfaces : {0, 1}) {
        SCOPED_TRACE("noDirectDrawSurfaces " + std::to_string(noSurfaces));
        makeApp(4, 1, noSurfaces);
        EXPECT_EQ(app->windowMode, 4);
        EXPECT_EQ(useDirectDraw, 1);
        EXPECT_EQ(directDrawActive, 1);
        EXPECT_EQ(gdiMemoryCanvases, noSurfaces) << "memory canvases are surfaces only when allowed";
        ASSERT_NE(app->directDraw, nullptr);
        ASSERT_NE(app->directDraw2, nullptr);
        EXPECT_EQ(app->driverGuid, nullptr);
        EXPECT_TRUE(app->frame == screenRect());
        constexpr DWORD kStyleMask = ~static_cast<DWORD>(WS_VISIBLE | WS_CLIPSIBLINGS);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(app->window, GWL_STYLE)) & kStyleMask, 0x82080000u);
        EXPECT_EQ(GetMenuItemCount(GetSystemMenu(app->window, FALSE)), 0);
        EXPECT_EQ(makeFlippingPrimary(app->directDraw2), DD_OK) << "exclusive level";
        const OMColorRecord none{0xFF00, 0, 0, kNoColor};
        app->setBackground(&none);
        EXPECT_EQ(app->background.index, kNoColor) << "in DirectDraw mode the background may be left unpainted";
        app.reset();
    }
}

// The mode asks for DirectDraw exactly when it is 4; otherwise DirectDraw is turned off and the
// application runs in mode 2 through GDI.
TEST_F(DirectDrawAppTest, ModeAndDirectDrawMustAgree) {
    const std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        // mode, useDirectDraw, runs as, useDirectDraw and noDirectDrawSurfaces after
        {4, 0, 2, 0, 1},
        {2, 1, 2, 0, 1},
        {0, 1, 2, 0, 1},
        {0, 0, 0, 0, 0},
    };
    for (const auto& [mode, use, runsAs, useAfter, noSurfacesAfter] : cases) {
        SCOPED_TRACE("mode " + std::to_string(mode) + ", useDirectDraw " + std::to_string(use));
        makeApp(mode, use, 0, {0, 0, 640, 480});
        EXPECT_EQ(app->windowMode, runsAs);
        EXPECT_EQ(useDirectDraw, useAfter);
        EXPECT_EQ(noDirectDrawSurfaces, noSurfacesAfter);
        EXPECT_EQ(directDrawActive, 0);
        EXPECT_EQ(gdiMemoryCanvases, 1);
        EXPECT_EQ(app->directDraw2, nullptr);
        EXPECT_EQ(app->changeDisplayMode(640, 480, 8), 0) << "no display mode changes outside mode 4";
        app.reset();
    }
}

// A display mode that no display offers fails SetDisplayMode, the last step: the application falls
// back to mode 2 without DirectDraw, in the frame it was given, and draws through GDI.
TEST_F(DirectDrawAppTest, AFailingStepFallsBackToModeTwoWithoutDirectDrawSilently) {
    ASSERT_FALSE(systemListsMode(1000, 700, 8));
    makeApp(4, 1, 0, {0, 0, 1000, 700});
    EXPECT_EQ(app->windowMode, 2);
    EXPECT_EQ(directDrawActive, 0);
    EXPECT_EQ(gdiMemoryCanvases, 1);
    EXPECT_EQ(app->directDraw, nullptr);
    EXPECT_EQ(app->directDraw2, nullptr);
    OMMemCanvas& canvas = makeCanvas(4, 4);
    EXPECT_FALSE(canvas.drawsOnSurface());
    EXPECT_NE(canvas.bits, nullptr);
}

TEST_F(DirectDrawAppTest, ChangeDisplayModeSetsAModeOfTheDisplayAndCoversTheScreen) {
    makeApp();
    const OMRect screen = screenRect();
    app->frame = {0, 0, 10, 10};
    EXPECT_EQ(app->changeDisplayMode(1000, 700, 8), 0);
    EXPECT_TRUE(app->frame == (OMRect{0, 0, 10, 10})) << "a failed change keeps the frame";
    EXPECT_EQ(app->changeDisplayMode(screen.right, screen.bottom, 8), 1);
    EXPECT_TRUE(app->frame == screen);
    RECT placed{};
    GetWindowRect(app->window, &placed);
    EXPECT_EQ(placed.right - placed.left, screen.right);
    EXPECT_EQ(placed.bottom - placed.top, screen.bottom);
}

// The answer comes from DirectDraw's enumeration, through the application's DirectDraw or a temporary
// one; it agrees with the modes the system lists.
TEST_F(DirectDrawAppTest, IsDisplayModeAvailableAnswersThroughTheEnumeration) {
    const OMRect screen = screenRect();
    const std::tuple<std::int32_t, std::int32_t, std::int32_t> modes[] = {
        {screen.right, screen.bottom, 8}, {640, 480, 8}, {800, 600, 8}, {1000, 700, 8}, {screen.right, screen.bottom, 4},
    };
    for (bool withApp : {false, true}) {
        if (withApp) makeApp();
        for (const auto& [width, height, bits] : modes) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + " x " + std::to_string(bits) +
                         (withApp ? " through the application's DirectDraw" : " through a temporary DirectDraw"));
            EXPECT_EQ(OMApp::isDisplayModeAvailable(width, height, bits), systemListsMode(width, height, bits) ? 1 : 0);
        }
    }
    EXPECT_EQ(OMApp::isDisplayModeAvailable(screen.right, screen.bottom, 8), 1);
}

// The library is loaded once and freed by its terminator; the entry points go with it.
TEST_F(DirectDrawAppTest, TheLibraryIsLoadedByNameOnceAndFreedByItsTerminator) {
    int terminators = 0;
    for (OMListElement<OMAppInitTerm>* n = initTermList()->head; n; n = n->next) {
        if (n->element->term == unloadDirectDraw) terminators += n->element->init ? 10 : 1;
    }
    EXPECT_EQ(terminators, 1) << "one record, without an init function";
    unloadDirectDraw();
    EXPECT_EQ(directDrawLibrary().module, nullptr);
    loadDirectDraw();
    const OMDirectDrawLibrary& library = directDrawLibrary();
    ASSERT_NE(library.module, nullptr);
    EXPECT_EQ(library.module, GetModuleHandleA("ddraw.dll"));
    EXPECT_EQ(reinterpret_cast<void*>(library.directDrawCreate),
              reinterpret_cast<void*>(GetProcAddress(library.module, "DirectDrawCreate")));
    EXPECT_NE(library.enumerateA, nullptr);
    EXPECT_NE(library.enumerateExA, nullptr);
    const HMODULE first = library.module;
    loadDirectDraw();
    EXPECT_EQ(directDrawLibrary().module, first);
    unloadDirectDraw();
    EXPECT_EQ(library.module, nullptr);
    EXPECT_EQ(library.directDrawCreate, nullptr);
    EXPECT_EQ(library.enumerateA, nullptr);
    EXPECT_EQ(library.enumerateExA, nullptr);
}

}  // namespace
