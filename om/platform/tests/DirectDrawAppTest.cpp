// The application in DirectDraw mode: the set-up in mode 4 and its silent fallbacks, the agreement of
// mode and DirectDraw, display modes, and the library loaded once and freed by its terminator.
#include <windows.h>

#include <ddraw.h>

#include <string>
#include <tuple>

#include "DirectDrawSupport.h"
#include "OMAppInitTerm.h"
#include "OMSurface.h"

namespace {

// Only a DirectDraw that holds the screen exclusively may make a flipping primary surface.
bool makesFlippingPrimary(IDirectDraw2* directDraw) {
    IDirectDrawSurface* made = makeSurface(directDraw, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX, 0, 0, 1);
    if (!made) return false;
    made->Release();
    return true;
}

// The answer the enumeration must agree with.
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

TEST_F(DirectDrawAppTest, ModeFourTakesTheScreenExclusivelyThroughIDirectDraw2) {
    loadDirectDraw();
    IDirectDraw* normal = nullptr;
    IDirectDraw2* normal2 = nullptr;
    ASSERT_EQ(directDrawLibrary().directDrawCreate(nullptr, &normal, nullptr), DD_OK);
    ASSERT_EQ(normal->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&normal2)), S_OK);
    ASSERT_EQ(normal2->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    EXPECT_FALSE(makesFlippingPrimary(normal2)) << "the normal level cannot flip";
    normal2->Release();
    normal->Release();
    for (std::int32_t noSurfaces : {1, 0}) {
        SCOPED_TRACE("noDirectDrawSurfaces " + std::to_string(noSurfaces));
        makeApp(4, 1, noSurfaces);
        EXPECT_EQ(std::make_tuple(app->windowMode, useDirectDraw, directDrawActive, gdiMemoryCanvases),
                  std::make_tuple(4, 1, 1, noSurfaces));
        ASSERT_NE(app->directDraw2, nullptr);
        EXPECT_TRUE(app->frame == screenRect());
        EXPECT_TRUE(makesFlippingPrimary(app->directDraw2)) << "exclusive level";
    }
    const OMColorRecord none{0xFF00, 0, 0, kNoColor};
    app->setBackground(&none);
    EXPECT_EQ(app->background.index, kNoColor) << "in DirectDraw mode the background may be left unpainted";
    app->frame = {0, 0, 10, 10};
    EXPECT_EQ(app->changeDisplayMode(1000, 700, 8), 0);
    EXPECT_TRUE(app->frame == (OMRect{0, 0, 10, 10})) << "a failed change keeps the frame";
    EXPECT_EQ(app->changeDisplayMode(screenRect().right, screenRect().bottom, 8), 1);
    EXPECT_TRUE(app->frame == screenRect());
}

// DirectDraw runs exactly in mode 4; a mode 4 whose display mode no display offers fails the last step.
// Either way the application runs in mode 2 through GDI, without a word.
TEST_F(DirectDrawAppTest, ModeAndDirectDrawMustAgreeAndAFailingStepFallsBackToModeTwo) {
    ASSERT_FALSE(systemListsMode(1000, 700, 8));
    const std::tuple<std::int32_t, std::int32_t, OMRect, std::int32_t, std::int32_t> cases[] = {
        // mode, useDirectDraw, frame, useDirectDraw and noDirectDrawSurfaces after
        {4, 0, screenRect(), 0, 1},
        {2, 1, screenRect(), 0, 1},
        {0, 1, {0, 0, 640, 480}, 0, 1},
        {4, 1, {0, 0, 1000, 700}, 1, 0},
    };
    for (const auto& [mode, use, frame, useAfter, noSurfacesAfter] : cases) {
        SCOPED_TRACE("mode " + std::to_string(mode) + ", useDirectDraw " + std::to_string(use));
        makeApp(mode, use, 0, frame);
        EXPECT_EQ(std::make_tuple(app->windowMode, useDirectDraw, noDirectDrawSurfaces, directDrawActive, gdiMemoryCanvases),
                  std::make_tuple(2, useAfter, noSurfacesAfter, 0, 1));
        EXPECT_EQ(app->directDraw, nullptr);
        EXPECT_EQ(app->directDraw2, nullptr);
        EXPECT_EQ(app->changeDisplayMode(640, 480, 8), 0);
        EXPECT_FALSE(makeCanvas(4, 4).drawsOnSurface());
    }
}

// Through the application's DirectDraw or a temporary one of the normal level.
TEST_F(DirectDrawAppTest, IsDisplayModeAvailableAnswersThroughTheEnumeration) {
    const OMRect screen = screenRect();
    const std::tuple<std::int32_t, std::int32_t, std::int32_t> modes[] = {
        {screen.right, screen.bottom, 8}, {640, 480, 8}, {800, 600, 8}, {1000, 700, 8}, {screen.right, screen.bottom, 4},
    };
    for (bool withApp : {false, true}) {
        if (withApp) makeApp();
        for (const auto& [width, height, bits] : modes) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + " x " + std::to_string(bits) +
                         (withApp ? " with the application" : " without"));
            EXPECT_EQ(OMApp::isDisplayModeAvailable(width, height, bits), systemListsMode(width, height, bits) ? 1 : 0);
        }
    }
    EXPECT_EQ(OMApp::isDisplayModeAvailable(screen.right, screen.bottom, 8), 1);
}

TEST_F(DirectDrawAppTest, TheLibraryIsLoadedOnceAndFreedByItsTerminator) {
    int records = 0;
    for (OMListElement<OMAppInitTerm>* n = initTermList()->head; n; n = n->next) {
        if (n->element->term == unloadDirectDraw) records += n->element->init ? 10 : 1;
    }
    EXPECT_EQ(records, 1) << "one record, without an init function";
    loadDirectDraw();
    loadDirectDraw();
    EXPECT_EQ(directDrawLibrary().module, GetModuleHandleA("ddraw.dll"));
    EXPECT_TRUE(directDrawLibrary().usable());
    unloadDirectDraw();
    EXPECT_EQ(directDrawLibrary().module, nullptr);
    EXPECT_FALSE(directDrawLibrary().directDrawCreate || directDrawLibrary().enumerateA || directDrawLibrary().enumerateExA);
}

}  // namespace
