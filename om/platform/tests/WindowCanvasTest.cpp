// Window canvases on screen: the 8-bit display's palette facts, a memory canvas presented in a true-colour
// world in exactly its colour table's colours, colours packed for deep canvases, and the cursor of a window.
#include "DrawingSupport.h"
#include "OMApp.h"
#include "OMCursor.h"
#include "OMPixelFormat.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"

namespace {
// A framework window at (10, 10) of the main window, shown without taking the activation.
struct CanvasWindow : OMWindow {
    CanvasWindow(std::int32_t width, std::int32_t height) : CanvasWindow(OMRect{10, 10, 10 + width, 10 + height}) {}
    explicit CanvasWindow(const OMRect& frame) : OMWindow(&frame, kFrameNone, 0) { showInactive(); }
};

// One application and window for the suite: each new top-level window costs Wine seconds without a
// window manager.
struct WindowCanvasTest : ::testing::Test {
    static void SetUpTestSuite() {
        setAppInstance(GetModuleHandleA(nullptr));
        static_cast<void>(findRunningInstance(appInstance()));
        const OMRect frame{0, 0, 400, 300};
        app = new OMApp(0, &frame, nullptr, displayBitsPerPixel(0));
        window = new CanvasWindow(160, 60);
        pumpMessages();
    }
    static void TearDownTestSuite() {
        delete window;
        delete app;
    }
    void SetUp() override { createDefaultCursor(); }
    void TearDown() override {
        OMWindow::activeWindow = nullptr;
        destroyDefaultCursor();
        currentCursor = nullptr;
    }
    static inline OMApp* app = nullptr;
    static inline CanvasWindow* window = nullptr;
};

// The 8-bit display is a palette device: the window canvas realises its palette when its colour table is set.
TEST_F(WindowCanvasTest, AnEightBitWindowCanvasRealisesItsPalette) {
    ASSERT_EQ(displayBitsPerPixel(0), 8) << "an 8-bit world";
    OMWndCanvas& canvas = *window->canvas;
    std::vector<OMColorRecord> table(256);
    for (int i = 0; i < 256; ++i) table[i] = colorOf(i, 3, 255 - i);
    canvas.setColorTable(table.data());
    ASSERT_TRUE(canvas.getDC());
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PAL), canvas.palette);
    EXPECT_EQ(RealizePalette(canvas.dc), 0u) << "setColorTable realised the palette already";
    canvas.releaseDC();
}

TEST_F(WindowCanvasTest, AnEightBitMemoryCanvasAppearsInExactlyItsColourTablesColours) {
    ASSERT_GE(displayBitsPerPixel(0), 24) << "a true-colour world";
    // Static entries from the fixed system table; the program's entries from this table.
    const std::pair<std::uint8_t, std::uint32_t> stripes[] = {
        {0, 0x000000},  {1, 0x800000},   {7, 0xC0C0C0},   {9, 0xA4C8F0},   {10, 0x0A14F5}, {77, 0x4D9AB2},
        {245, 0xF5EA0A}, {246, 0xFFFBF0}, {248, 0x808080}, {252, 0x0000FF}, {255, 0xFFFFFF},
    };
    std::vector<OMColorRecord> table(256);
    for (int i = 0; i < 256; ++i) table[i] = colorOf(i, (i * 2) & 0xFF, 255 - i);
    OMMemCanvas picture(44, 8, 8, 1);
    picture.setColorTable(table.data());
    for (std::int32_t i = 0; i < 44 * 8; ++i) setPixel8(picture, i % 44, i / 44, stripes[i % 44 / 4].first);
    OMWndCanvas& canvas = *window->canvas;
    EXPECT_GE(canvas.depth, 24);
    canvas.copyFrom(picture, 0, 0, 44, 8, 5, 3, kCopyRop, nullptr);
    for (std::size_t s = 0; s < std::size(stripes); ++s) {
        SCOPED_TRACE("entry " + std::to_string(stripes[s].first));
        for (std::int32_t x : {0, 3}) {
            EXPECT_EQ(screenColor(window->hwnd, 5 + static_cast<std::int32_t>(s) * 4 + x, 4), stripes[s].second);
        }
    }
    EXPECT_EQ(screenColor(window->hwnd, 4, 4), screenColor(window->hwnd, 50, 20)) << "nothing beside the copy";
}

// A colour packed by the product's pixel writer into the masks a deep memory canvas gives appears as that
// colour: each component is one that 5 bits widen back to exactly ((v << 3) | (v >> 2)).
TEST_F(WindowCanvasTest, AColourPackedByADeepCanvasesMasksAppearsAsThatColour) {
    ASSERT_GE(displayBitsPerPixel(0), 24) << "a true-colour world";
    const OMColorRecord colour = colorOf(0x84, 0x42, 0xC6);
    for (std::int32_t depth : {16, 32}) {
        SCOPED_TRACE(depth);
        OMMemCanvas picture(4, 4, depth, 1);
        std::uint32_t red = 0, green = 0, blue = 0;
        picture.getColorMasks(red, green, blue);
        ASSERT_TRUE(red && green && blue);
        const std::uint32_t packed = packColor(colour, pixelFormatOf(depth, red, green, blue));
        for (std::int32_t i = 0; i < 16; ++i) pixel32At(picture, i % 4, i / 4, depth / 8, &packed);
        window->canvas->copyFrom(picture, 0, 0, 4, 4, 60, 3, kCopyRop, nullptr);
        EXPECT_EQ(screenColor(window->hwnd, 62, 5), 0x8442C6u);
    }
}

TEST_F(WindowCanvasTest, AWindowShowsItsCursorUntilTheCursorGoes) {
    OMWndCanvas& canvas = *window->canvas;
    OMWindow::activeWindow = window;
    auto cursor = std::make_unique<OMCursor>(kCrossCursor, nullptr);
    canvas.setCursor(cursor.get());
    EXPECT_EQ(GetCursor(), cursor->handle);
    OMCursor beam(kTextCursor, nullptr);
    canvas.cursorSuppressed = 1;
    beam.apply(&canvas);
    EXPECT_EQ(GetCursor(), cursor->handle) << "a suppressed canvas shows no other cursor";
    canvas.cursorSuppressed = 0;
    CanvasWindow other(20, 20);
    beam.apply(other.canvas);
    EXPECT_EQ(GetCursor(), cursor->handle) << "only the active window's canvas shows a cursor";
    beam.apply(&canvas);
    EXPECT_EQ(GetCursor(), beam.handle);
    cursor.reset();
    EXPECT_EQ(canvas.cursor, nullptr) << "the window dropped the destroyed cursor";
    EXPECT_EQ(std::make_pair(OMCursor::current() == nullptr, GetCursor()), std::make_pair(true, defaultCursor->handle));
}
}  // namespace
