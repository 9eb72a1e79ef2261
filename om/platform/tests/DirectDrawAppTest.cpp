// The application in DirectDraw mode: the agreement of mode and DirectDraw with its silent fallback, and
// display modes.
#include "DirectDrawSupport.h"

namespace {
// The answer the enumeration must agree with.
bool systemListsMode(std::int32_t width, std::int32_t height, std::int32_t bits) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    const auto wanted = std::tuple<DWORD, DWORD, DWORD>(width, height, bits);
    for (DWORD n = 0; EnumDisplaySettingsA(nullptr, n, &mode); ++n) {
        if (std::tuple(mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel) == wanted) return true;
    }
    return false;
}

using DirectDrawAppTest = DirectDrawFixture;

// DirectDraw runs exactly in mode 4; a mode 4 whose display mode no display offers fails the last step.
// Otherwise the application runs in mode 2 through GDI, without a word, and cannot change display modes.
TEST_F(DirectDrawAppTest, ModeAndDirectDrawMustAgreeAndAFailingStepFallsBackToModeTwo) {
    ASSERT_FALSE(systemListsMode(1000, 700, 8));
    const std::tuple<std::int32_t, std::int32_t, OMRect, std::int32_t> cases[] = {
        // mode, useDirectDraw, frame, useDirectDraw after
        {4, 1, screenRect(), 1},
        {4, 0, screenRect(), 0},
        {2, 1, screenRect(), 0},
        {4, 1, {0, 0, 1000, 700}, 1},
    };
    for (const auto& [mode, use, frame, useAfter] : cases) {
        SCOPED_TRACE("mode " + std::to_string(mode) + ", useDirectDraw " + std::to_string(use));
        makeApp(mode, use, 0, frame);
        const bool active = mode == 4 && use == 1 && frame == screenRect();
        EXPECT_EQ(std::make_tuple(app->windowMode, useDirectDraw, noDirectDrawSurfaces, directDrawActive, gdiMemoryCanvases),
                  active ? std::make_tuple(4, 1, 0, 1, 0) : std::make_tuple(2, useAfter, 1 - useAfter, 0, 1));
        EXPECT_EQ(app->directDraw2 != nullptr, active);
        EXPECT_EQ(makeCanvas(4, 4).drawsOnSurface(), active);
        if (!active) {
            EXPECT_EQ(app->changeDisplayMode(640, 480, 8), 0);
        }
    }
}

// Through the application's DirectDraw or a temporary one of the normal level.
TEST_F(DirectDrawAppTest, IsDisplayModeAvailableAnswersThroughTheEnumeration) {
    const OMRect screen = screenRect();
    const std::tuple<std::int32_t, std::int32_t, std::int32_t> modes[] = {
        {screen.right, screen.bottom, 8}, {640, 480, 8}, {1000, 700, 8}, {screen.right, screen.bottom, 4}};
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
}  // namespace
