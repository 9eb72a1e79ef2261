// The window layer: window styles, mode choice and picture placement as rules; the picture and its margins
// on a window of the screen; event points; and the main window procedure.
#include <algorithm>

#include "AppBindings.h"
#include "AppModule.h"
#include "AppStandIn.h"
#include "ApplProc.h"
#include "AppRun.h"
#include "Canvas.h"
#include "Cursor.h"
#include "DisplayCanvas.h"
#include "DisplayCaret.h"
#include "DisplayPalette.h"
#include "DisplayStyle.h"
#include "DisplayWindow.h"
#include "EngineTestSupport.h"
#include "File.h"
#include "Palette.h"
#include "Port.h"
#include "Res.h"
#include "TempFolder.h"
#include "Timer.h"
#include "TottlewickGlobal.h"
#include "UpdateDisplay.h"

namespace {

using Lines = std::vector<std::string>;

TEST(DisplayRulesTest, WindowStylesByModeAndFlags) {
    const std::uint32_t caption = WS_CAPTION | WS_MINIMIZEBOX | WS_SYSMENU;
    const std::uint32_t overlapped = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    struct Case { std::uint32_t mode, flags; bool creation; std::uint32_t style; };
    const std::vector<Case> cases = {
        {1, 0, true, WS_POPUP}, {1, 0x800, false, WS_POPUP}, {1, 0x200, true, WS_POPUP | caption | WS_MAXIMIZE},
        {1, 0x200, false, WS_POPUP | caption | WS_MAXIMIZEBOX}, {1, 0x400, true, WS_POPUP | overlapped | WS_MAXIMIZE},
        {2, 0, true, WS_POPUP}, {2, 0x200, true, WS_MINIMIZEBOX | WS_SYSMENU | WS_MAXIMIZE},
        {2, 0x200, false, WS_MINIMIZEBOX | WS_SYSMENU}, {2, 0x400, false, overlapped}, {0, 0x400, true, overlapped},
    };
    for (const Case& c : cases)
        EXPECT_EQ(displayWindowStyle(c.mode, c.flags, c.creation), c.style) << c.mode << " " << c.flags << c.creation;
}

// The smallest fitting mode with the fewest bits; the picture centred with the odd pixel right and bottom.
TEST(DisplayRulesTest, ModeChoiceAndPicturePlacement) {
    struct Case { const char* name; std::vector<DisplayModeInfo> modes; int chosen; };
    const std::vector<Case> modes = {
        {"equal sizes: fewer bits", {{800, 600, 32}, {800, 600, 16}, {800, 600, 24}}, 1},
        {"a later smaller one", {{1024, 768, 8}, {640, 480, 8}, {800, 600, 8}}, 1},
        {"too small, too few bits", {{600, 400, 8}, {640, 480, 4}, {1280, 1024, 8}}, 2},
        {"none fits", {{320, 200, 8}}, -1},
    };
    for (const Case& c : modes) EXPECT_EQ(displayChooseMode(c.modes, 640, 480, 8), c.chosen) << c.name;
    int x = -1, y = -1;
    ASSERT_TRUE(displayPictureOrigin(kDisplayCentred, 701, 501, 640, 480, &x, &y));
    EXPECT_EQ(Both(x, y), Both(30, 10));
    ASSERT_TRUE(displayPictureOrigin(kDisplayTopLeft, 701, 501, 640, 480, &x, &y));
    EXPECT_EQ(Both(x, y), Both(0, 0));
    EXPECT_FALSE(displayPictureOrigin(2, 701, 501, 640, 480, &x, &y));
}

// The display's canvases on a 701 x 501 window adopted as the main window, with the palette of the test
// "Global" file. Only the test that reads the screen shows it: Wine takes 2 s to unmap a shown window.
struct DisplayTest : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(MemInit(kMemFirstTableEntries, kMemGrowEntries), 1);
        FileInit();
        ASSERT_EQ(PalMgrInit(), 1);
        ASSERT_TRUE(writeTottlewickGlobal(folder.path()));
        source = ResOpenSource(folder.file("Resource\\Global.PRS").c_str(), kResOpenDefault);
        ASSERT_NE(source, 0u);
        DisplaySetWindow(makeWindow(ApplProc, WS_POPUP, 701, 501, WS_EX_TOPMOST));
        ASSERT_EQ(DisplayCreateWindowCanvas(window), 1);
        ASSERT_EQ(DisplayCreateDefaultOffscreen(), 0);
        const Rect screen{0, 0, 640, 480};
        DisplaySetScreenRect(&screen);
        standin::log.clear();
    }
    void TearDown() override {
        DisplayFreeOffscreenCanvas();
        DisplayFreeWindowCanvas();
        DisplaySetWindow(nullptr);
        AppArmShutdown();
        DestroyWindow(window);
        window = nullptr;
        AppArmShutdown();
        ResCloseSource(source);
        PalMgrTerm();
        FileTerm();
        MemTerm();
        AppTest::TearDown();
    }
    // The window's colour at x, y as 0x00RRGGBB.
    std::uint32_t windowColour(int x, int y) {
        HDC dc = GetDC(window);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return std::uint32_t(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    }
    TempFolder folder;
    ResSource source = 0;
};

TEST_F(DisplayTest, ThePictureIsCentredAndItsMarginsAreColourZero) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    ASSERT_EQ(DisplaySetPaletteFromDib(1), 1);
    DisplayBeginOffscreenDraw();
    DisplayFillRect(nullptr, kGlobalRed);
    DisplayEndOffscreenDraw();
    // The whole window blue, then the margins: colour 0 around a picture still blue.
    HDC dc = GetDC(window);
    const RECT client{0, 0, 701, 501};
    SetDCBrushColor(dc, RGB(0, 0, 255));
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    ReleaseDC(window, dc);
    DisplayPaintMargins(nullptr, 0);
    EXPECT_EQ((Results{windowColour(29, 100), windowColour(30, 100), windowColour(700, 500)}), (Results{0, 0xFF, 0}));
    DisplayCopyToWindow(nullptr);
    const std::pair<POINT, std::uint32_t> probes[] = {
        {{29, 100}, 0},           {{30, 100}, 0xFF0000}, {{669, 100}, 0xFF0000}, {{670, 100}, 0}, {{700, 100}, 0},
        {{100, 9}, 0},            {{100, 10}, 0xFF0000}, {{100, 489}, 0xFF0000}, {{100, 490}, 0}, {{100, 500}, 0}};
    for (const auto& [at, colour] : probes) EXPECT_EQ(windowColour(at.x, at.y), colour) << at.x << "," << at.y;
    // The caret: a white bar 12 pixels wide at a point of the picture, toggled by every 6th blink, erased
    // from the picture when it moves or hides.
    CaretEnable(1);
    CaretSetPosition(100, 100);
    CaretShow();
    EXPECT_EQ((Results{CaretGetShowCount(), windowColour(130 + 11, 111), windowColour(130 + 12, 111)}),
              (Results{1, 0xFFFFFF, 0xFF0000}));
    for (int i = 0; i < 5; ++i) CaretBlink();
    EXPECT_EQ(windowColour(130, 110), 0xFFFFFFu);
    CaretBlink();
    EXPECT_EQ(windowColour(130, 110), 0xFF0000u);
    for (int i = 0; i < 6; ++i) CaretBlink();
    CaretMoveBy(20);
    EXPECT_EQ(Both(windowColour(130, 110), windowColour(150, 110)), Both(0xFF0000, 0xFFFFFF));
    CaretHide();
    EXPECT_EQ(Both(windowColour(150, 110), CaretGetShowCount()), Both(0xFF0000, 0));
    CaretEnable(0);
}

// A fade blocks for 500 ms of the engine clock with the idle services running; here each idle pass moves
// the clock on by 20 ms.
TEST_F(DisplayTest, FadesRunTheIdleServicesAndFadingToBlackClearsThePicture) {
    ASSERT_EQ(DisplaySetPaletteFromDib(1), 1);
    DisplayBeginOffscreenDraw();
    DisplayFillRect(nullptr, kGlobalRed);
    DisplayEndOffscreenDraw();
    static int passes;
    passes = 0;
    AppSetSidService([] { ++passes; });
    AppSetCacheService([] { standin::now += 20; });
    DisplayFadeToBlack();
    const auto* pixels = static_cast<const std::uint8_t*>(CanvasGetBits(DisplayGetOffscreenCanvas()));
    EXPECT_EQ((Both{passes, pixels[0]}), Both(25, 0)) << "a picture filled with colour 20 is cleared";
    passes = 0;
    DisplayRefreshWithFade();
    EXPECT_EQ(passes, 25);
    AppSetSidService(nullptr);
    AppSetCacheService(nullptr);
    EXPECT_EQ(DisplayUpdateServices()->refreshWithFade, DisplayRefreshWithFade);
}

TEST_F(DisplayTest, EventPointsAreInThePicturesCoordinates) {
    Point point{};
    AppGetEventPoint(&point, WM_LBUTTONDOWN, MAKELPARAM(130, 60));
    EXPECT_EQ(Both(point.h, point.v), Both(100, 50));
    SetCursorPos(200, 100);
    AppGetEventPoint(&point, WM_TIMER, 0);
    EXPECT_EQ(Both(point.h, point.v), Both(170, 90));
    PortSet(DisplayGetWindowCanvas());
    CursorGetLocation(&point);
    EXPECT_EQ(Both(point.h, point.v), Both(170, 90));
    PortSet(0);
}

// The main window procedure: palette changes by other windows are handled here and the window's own are
// forwarded; deactivation by a child pauses nothing; the window's end is forwarded and quits the loop.
TEST_F(DisplayTest, TheWindowProcedure) {
    PalSetCurrent(nullptr);
    ApplProc(window, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(window), 0);
    EXPECT_EQ(standin::log, (Lines{"785 " + std::to_string(reinterpret_cast<WPARAM>(window))}));
    // The halftone palette realised here makes the system tell the window of its own change, which is
    // forwarded; the two messages handled here are not.
    standin::log.clear();
    ApplProc(window, WM_PALETTECHANGED, 1, 0);
    ApplProc(window, WM_QUERYNEWPALETTE, 0, 0);
    const Lines& log = standin::log;
    EXPECT_EQ(std::count(log.begin(), log.end(), "785 1") + std::count(log.begin(), log.end(), "786 0"), 0);
    standin::log.clear();
    ApplProc(window, WM_INITMENUPOPUP, 0, 0);
    EXPECT_EQ(standin::log, (Lines{"10009 0"}));
    // Deactivation by a child of the window pauses nothing.
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, window, nullptr, nullptr, nullptr);
    TimerPause(0);
    ApplProc(window, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(TimerPause(0), 0) << "the timer time ran on";
    ApplProc(window, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(TimerPause(0), 1);
    DestroyWindow(child);
    // The window's end is forwarded and quits the loop.
    standin::log.clear();
    EXPECT_EQ((Both{ApplProc(window, WM_DESTROY, 0, 0), ApplicationMenuProc(window, kAppMayEnd, 0, 0)}), Both(0, 1));
    EXPECT_EQ(standin::log, (Lines{"2 0"}));
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message == WM_QUIT);
}

}  // namespace
