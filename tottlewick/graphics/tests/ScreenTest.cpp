// A memory canvas copied to a window canvas shows its palette's colours on screen. On the 8-bit display
// Wine shows only the nearest of its 20 static colours, so the exact colour is checked in the 24-bit
// run of this test.
#include <gtest/gtest.h>

#include <windows.h>

#include "CanvasCopy.h"
#include "Draw.h"
#include "GraphicsTestSupport.h"

namespace {

class ScreenTest : public GraphicsTest {};

TEST_F(ScreenTest, MemoryCanvasCopiedToTheWindowShowsItsPaletteColours) {
    TestWindow screen(640, 480, true);
    useTestPalette();
    const Canvas picture = memory(640, 480);
    const Canvas window = make(reinterpret_cast<std::uintptr_t>(screen.handle), kCanvasWindow);
    ASSERT_NE(picture, 0u);
    ASSERT_NE(window, 0u);
    PortSet(picture);
    const Rect square{10, 10, 20, 20};
    DrawFillRectIndex(&square, 5);
    const Rect whole{0, 0, 640, 480};
    EXPECT_EQ(CanvasCopy(window, 0, 0, picture, &whole), 1);
    GdiFlush();

    HDC dc = CanvasGetDC(window);
    if (GetDeviceCaps(dc, BITSPIXEL) <= 8) GTEST_SKIP() << "exact colours need a true-colour screen";
    EXPECT_EQ(GetPixel(dc, 15, 15), testColor(5));
    EXPECT_EQ(GetPixel(dc, 25, 25), testColor(0));
}

}  // namespace
