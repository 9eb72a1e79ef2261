// Canvases of every kind on the 8-bit display: memory canvases checked through their pixels and colour
// tables, depth codes, the port stack, coordinate mapping, clipping and the copy engine; and a memory
// canvas copied to a window, whose exact colours are checked in the 24-bit run of this test (on the 8-bit
// display Wine shows only the nearest of its 20 static colours).
#include "CanvasCopy.h"
#include "CanvasPalette.h"
#include "Draw.h"
#include "GraphicsAlert.h"
#include "GraphicsTestSupport.h"

namespace {

constexpr std::uintptr_t size(int width, int height) { return std::uintptr_t(width) | std::uintptr_t(height) << 16; }

// Whole-canvas rectangles of these tests.
const Rect k16{0, 0, 16, 16}, k40{0, 0, 40, 40}, k640{0, 0, 640, 480};

// The canvas's device rect and bounds as text.
std::string placement(Canvas canvas) {
    Rect device{}, bounds{};
    CanvasGetDeviceRect(&device, canvas);
    CanvasGetBounds(&bounds, canvas);
    return "device " + rectCsv(device) + " bounds " + rectCsv(bounds);
}

void fill(Canvas canvas, const Rect& r, std::uint8_t index) {
    PortPush(canvas);
    DrawFillRectIndex(&r, index);
    PortPop();
}

class CanvasTest : public GraphicsTest {};

TEST_F(CanvasTest, FilledMemoryCanvasLocksFromItsTopRowAndCopies) {
    HPALETTE palette = useTestPalette();
    const Canvas canvas = memory(640, 480);
    ASSERT_NE(canvas, 0u);
    EXPECT_EQ(CanvasGetPalette(canvas), palette);
    fill(canvas, Rect{10, 10, 20, 20}, 5);
    void* base = nullptr;
    std::int32_t step = 0;
    std::uint16_t depth = 0;
    Rect area{};
    ASSERT_EQ(CanvasLockPixels(canvas, &base, &step, &depth, &area), 1);
    EXPECT_EQ(base, static_cast<std::uint8_t*>(CanvasGetBits(canvas)) + 640 * 479) << "row 479 is stored first";
    EXPECT_EQ(std::to_string(step) + " " + std::to_string(depth) + " " + rectCsv(area), "-640 8 0,0,640,480");
    CanvasUnlockPixels(canvas);
    EXPECT_EQ((Results{pixelAt(canvas, 10, 10), pixelAt(canvas, 19, 19), pixelAt(canvas, 9, 10), pixelAt(canvas, 20, 19),
                       pixelAt(canvas, 15, 20)}),
              (Results{5, 5, 0, 0, 0})) << "(10, 10) to (19, 19) filled";
    PortSet(canvas);
    const Rect byColour{30, 30, 32, 32};
    DrawFillRect(&byColour, testColor(50));
    const Canvas copy = memory(640, 480);
    EXPECT_EQ(CanvasCopy(copy, 0, 0, canvas, &k640), 1);
    EXPECT_EQ((Results{pixelAt(canvas, 31, 31), pixelAt(copy, 15, 15), pixelAt(copy, 25, 15)}), (Results{50, 5, 0}))
        << "an RGB colour fills with its nearest index";
}

TEST_F(CanvasTest, DepthCodesAndTheDefaultDepth) {
    for (const auto& [code, bits] : {std::pair<std::uint16_t, std::uint16_t>{0x0000, 8}, {0xA000, 24}, {0xB000, 16},
                                     {0xC000, 15}, {0xD000, 8}, {0xE000, 4}, {0xF000, 1}, {0x5000, 0}}) {
        const Canvas canvas = make(size(8, 8), kCanvasBitmap | code);
        ASSERT_NE(canvas, 0u) << std::hex << code;
        EXPECT_EQ(CanvasGetDepth(canvas), bits) << std::hex << code;
    }
    EXPECT_EQ((Results{CanvasSetDefaultDepth(12), CanvasGetDefaultDepth(), CanvasSetDefaultDepth(4),
                       CanvasGetDepth(canvases[0])}),
              (Results{8, 8, 8, 4})) << "12 is no depth";
    CanvasSetDefaultDepth(8);
    BITMAP mono{};
    GetObject(GetCurrentObject(CanvasGetDC(canvases[6]), OBJ_BITMAP), sizeof mono, &mono);
    EXPECT_EQ((Results{mono.bmBitsPixel, CanvasGetKind(0)}), (Results{1, kCanvasNoKind})) << "code 0xF: monochrome";
    EXPECT_EQ(CanvasGetUsage(memory(4, 4, kCanvasDepth8 | kCanvasOffscreen)), kCanvasOffscreen);
}

TEST_F(CanvasTest, SizesOfZeroOrLessAndNoWindowMakeNoCanvas) {
    static std::vector<std::string> boxes;
    boxes.clear();
    GraphicsSetAlert([](const char* text) { boxes.push_back(text); return std::int16_t{IDOK}; });
    for (std::uintptr_t bad : {size(0, 10), size(10, 0), size(0xFFFF, 10), size(10, 0x8000)}) {
        SCOPED_TRACE(bad);
        Canvas canvas = 77;
        EXPECT_EQ((Results{CanvasCreate(&canvas, bad, kCanvasMemory), canvas, CanvasCreate(&canvas, bad, kCanvasBitmap)}),
                  (Results{0, 0, 0}));
    }
    Canvas canvas = 77;
    EXPECT_EQ((Results{CanvasCreate(&canvas, 0, kCanvasWindow), CanvasCreate(&canvas, size(4, 4), 4),
                       CanvasCreate(&canvas, 0, kCanvasDeviceContext)}),
              (Results{0, 0, 0})) << "no window, kind 4 is no kind, no device context";
    GraphicsSetAlert(nullptr);
    EXPECT_EQ(boxes, std::vector<std::string>{"Failed creating window canvas"}) << "through the installed alert";
    EXPECT_EQ(MemHandleFind(0, kCanvasLabel, nullptr), 0u) << "nothing is left behind";
}

TEST_F(CanvasTest, PortStackRestoresAndRefusesOverAndUnderflow) {
    const Canvas first = memory(4, 4), a = memory(4, 4), b = memory(4, 4);
    PortSet(first);
    const std::vector<Canvas> got{Canvas(PortPush(a)), Canvas(PortPush(b)), PortGet(), PortPop(), PortPop(),
                                  PortGet(), PortPop(), PortGet()};
    EXPECT_EQ(got, (std::vector<Canvas>{1, 1, b, b, a, first, 0, first})) << "the last pop has nothing saved";
    for (int i = 0; i < kPortStackSize; ++i) ASSERT_EQ(PortPush(i % 2 ? a : b), 1) << i;
    EXPECT_EQ(PortPush(first), 0) << "the 17th save is refused";
    EXPECT_EQ(PortGet(), a);
    for (int i = 0; i < kPortStackSize; ++i) PortPop();
    EXPECT_EQ((Results{PortGet() == first, PortGetDC() == CanvasGetDC(first)}), (Results{1, 1}));
}

TEST_F(CanvasTest, BoundsAndDeviceRectMoveTheMapping) {
    const Canvas canvas = memory(100, 50);
    const Rect moved{200, 300, 260, 330};
    CanvasSetBounds(canvas, &moved);
    EXPECT_EQ(placement(canvas), "device 200,300,300,350 bounds 200,300,260,330") << "the device keeps its size";
    Point p{205, 310};
    CanvasToDevice(&p, canvas);
    Rect r{200, 300, 201, 301};
    CanvasRectToDevice(&r, canvas);
    EXPECT_EQ(std::vector<int>({CanvasXToDevice(210, canvas), CanvasYFromDevice(5, canvas), p.h, p.v, r.left}),
              std::vector<int>({10, 305, 5, 10, 0}));
    CanvasSetBounds(canvas, nullptr);
    EXPECT_EQ(placement(canvas), "device 0,0,100,50 bounds 0,0,100,50");
    const Rect place{20, 10, 80, 40};  // the bounds start at device (20, 10), 60 x 30
    CanvasSetDeviceRect(canvas, &place);
    EXPECT_EQ(placement(canvas) + " " + std::to_string(CanvasXToDevice(0, canvas)),
              "device -20,-10,80,40 bounds 0,0,60,30 20");
    CanvasSetDeviceRect(canvas, nullptr);
    EXPECT_EQ(placement(canvas), "device 0,0,100,50 bounds 0,0,100,50");
}

TEST_F(CanvasTest, ClipLimitsTheOneToOneCopyButNotTheScaledOne) {
    const Canvas source = memory(40, 40), target = memory(40, 40);
    fill(source, k40, 9);
    const Rect narrow{0, 0, 10, 10}, empty{3, 3, 3, 20};
    CanvasSetClip(target, &narrow);
    CanvasSetClip(target, &empty);
    Rect clip{};
    CanvasGetClip(&clip, target);
    EXPECT_EQ(rectCsv(clip), "0,0,10,10") << "an empty clip changes nothing";
    ASSERT_EQ(CanvasBeginCopy(target, source, 0), 1);
    EXPECT_EQ(CanvasBlit(20, 20, 5, 5, 0, 0), 0) << "wholly outside the clip";
    CanvasEndCopy();
    EXPECT_EQ(CanvasBlit(0, 0, 5, 5, 0, 0), 0) << "no copy prepared";
    CanvasCopyRect(target, 5, 5, 10, 10, source, 0, 0, 10, 10);
    EXPECT_EQ((Results{pixelAt(target, 9, 9), pixelAt(target, 10, 10)}), (Results{9, 0})) << "the 1:1 copy is clipped";
    SelectClipRgn(CanvasGetDC(target), nullptr);  // leaves only the engine's clip to cut the copy
    CanvasCopyRect(target, 20, 20, 20, 20, source, 0, 0, 10, 10);
    EXPECT_EQ(pixelAt(target, 39, 39), 9) << "the scaled copy is not";
    // GDI drawing into a memory canvas is cut by the clip region of the latest clip, also after a
    // one-to-one copy inside it.
    const Rect inner{10, 10, 30, 30};
    CanvasSetClip(target, &narrow);
    CanvasSetClip(target, &inner);
    CanvasCopyRect(target, 12, 12, 4, 4, source, 0, 0, 4, 4);
    const RECT whole{0, 0, 40, 40};
    FillRect(CanvasGetDC(target), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ((Results{pixelAt(target, 12, 12) != 9, pixelAt(target, 29, 29) != 0, pixelAt(target, 30, 30),
                       pixelAt(target, 9, 9)}),
              (Results{1, 1, 9, 9})) << "white inside (10, 10, 30, 30) only";
    CanvasSetClip(target, nullptr);
    const Rect corner{-5, -5, 3, 3};  // only (0, 0, 3, 3) lies on the source
    fill(target, k40, 0);
    CanvasCopyClipped(target, 30, 30, source, &corner);
    EXPECT_EQ((Results{pixelAt(target, 35, 35), pixelAt(target, 34, 34)}), (Results{9, 0}));
}

TEST_F(CanvasTest, CopyToAPrinterCanvasPrintsColoursAndRestoresIndices) {
    useTestPalette();
    const Canvas source = memory(16, 16);
    fill(source, k16, 5);
    Rgb24Dc paper(16, 16);
    const Canvas printer = make(reinterpret_cast<std::uintptr_t>(paper.dc), kCanvasDeviceContext);
    ASSERT_NE(printer, 0u);
    CanvasCopy(printer, 0, 0, source, &k16);
    const auto* slots =
        reinterpret_cast<const std::uint16_t*>(reinterpret_cast<std::uint8_t*>(CanvasGetDib(source)) + 40);
    EXPECT_EQ((Results{GetPixel(paper.dc, 15, 15), GetPixel(paper.dc, 0, 0), slots[5], slots[200]}),
              (Results{testColor(5), testColor(5), 5, 200})) << "the DIB header holds palette indices again";
    CanvasDispose(&canvases.back());  // deletes the device context it was given
    canvases.pop_back();
    paper.dc = nullptr;
}

TEST_F(CanvasTest, SwitchingAPaletteFollowsTheFilter) {
    HPALETTE first = useTestPalette();
    HPALETTE second = stock(kPalStockGrey);
    const Canvas offscreen = memory(4, 4, kCanvasDepth8 | kCanvasOffscreen), plain = memory(4, 4);
    EXPECT_EQ((Results{CanvasSwitchPalette(first, second, kCanvasFilterWindow),
                       CanvasSwitchPalette(first, second, kCanvasFilterOffscreen), CanvasGetPalette(offscreen) == second,
                       CanvasGetPalette(plain) == first, CanvasSwitchPalette(first, second, kCanvasFilterAll),
                       CanvasGetPalette(plain) == second}),
              (Results{0, 1, 1, 1, 1, 1}));
    EXPECT_EQ((Results{tableColour(plain, 77), CanvasRealizeAll(), CanvasGetPalette(plain) == first}),
              (Results{RGB(77, 77, 77), 0, 1})) << "no window canvas; every canvas takes the current palette";
}

TEST_F(CanvasTest, TwoWindowCanvasesPrepareNoCopy) {
    HWND window = popup(64, 64);
    const Canvas a = onWindow(window), b = onWindow(window);
    ASSERT_NE(a, 0u);
    EXPECT_EQ((Results{CanvasGetWidth(a), CanvasBeginCopy(a, b, 0), CanvasBlit(0, 0, 4, 4, 0, 0)}), (Results{64, 0, 0}));
    SetWindowPos(window, nullptr, 0, 0, 100, 80, SWP_NOMOVE | SWP_NOZORDER);
    CanvasRefreshWindowDC(a);
    EXPECT_EQ(placement(a), "device 0,0,100,80 bounds 0,0,64,64") << "the device follows the client area";
}

class ScreenTest : public GraphicsTest {};

TEST_F(ScreenTest, MemoryCanvasCopiedToTheWindowShowsItsPaletteColours) {
    useTestPalette();
    const Canvas picture = memory(640, 480), window = onWindow(popup(640, 480, true));
    ASSERT_TRUE(picture && window);
    fill(picture, Rect{10, 10, 20, 20}, 5);
    EXPECT_EQ(CanvasCopy(window, 0, 0, picture, &k640), 1);
    GdiFlush();
    HDC dc = CanvasGetDC(window);
    ASSERT_GT(GetDeviceCaps(dc, BITSPIXEL), 8) << "exact colours need a true-colour screen";
    EXPECT_EQ((Results{GetPixel(dc, 15, 15), GetPixel(dc, 25, 25)}), (Results{testColor(5), testColor(0)}));
    // Red 0x7C00 as the decoders store it in a 16-bit canvas (red and green moved up a bit): 0xF800.
    const Canvas deep = memory(16, 16, kCanvasDepth16);
    const std::vector<std::uint16_t> red(16 * 16, 0xF800);
    canvasPixels(deep, &red);
    CanvasCopy(window, 0, 0, deep, &k16);
    GdiFlush();
    EXPECT_EQ(GetPixel(dc, 8, 8), RGB(255, 0, 0)) << "the 16-bit canvas reads as 5-6-5";
}

}  // namespace
