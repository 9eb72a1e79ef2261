// HatShop in the real program on the generated title, entered from the Picker with entries 0 and 3 done:
// design 1 drawn, their decorations shown; at level 1 the print button shows the overlay for 10 s (one
// overlay, hovered twice), with Shift held it prints at once: 3 s later the print seam's document
// "Tottlewick Hat" gets design 1's rectangle of the composed picture, and mouse input meanwhile neither
// paints nor presses; the tool in use stays pressed after; at level 4 there is no print button; out by
// the exit button and the quit screen.
#include <gtest/gtest.h>

#include "ActivityProbe.h"
#include "ActivityProbeTest.h"
#include "Actor.h"
#include "AppBindings.h"
#include "Canvas.h"
#include "ChoiceProbe.h"
#include "DisplayCanvas.h"
#include "HatShop.h"
#include "ModuleProcs.h"
#include "PickerCompletion.h"
#include "Prefs.h"
#include "PrintPlatform.h"
#include "SceneGlobals.h"
#include "Sprite.h"
#include "TitleLayout.h"

namespace {

using probe::log;

constexpr Rect kDesign1{94, 8, 518, 474};
constexpr int kPageW = kDesign1.right - kDesign1.left, kPageH = kDesign1.bottom - kDesign1.top;
constexpr int kPageStride = (kPageW * 3 + 3) & ~3;
constexpr Point kOnHat{220, 330};  // the brim, away from where the Picker leaves the mouse

std::uint32_t since = 0;
int hatPixel = 0;

// The seam's printer: a 24-bit page of exactly design 1's rectangle, so that the rectangle lands on it 1:1;
// when the page ends it is compared with the colours of the offscreen picture's rectangle.
std::uint8_t* page = nullptr;

DWORD WINAPI entry(LPCSTR, LPCSTR, LPCSTR, LPSTR out, DWORD) { return lstrcpyA(out, "Memory,winspool,MEM:"), 20; }
BOOL WINAPI openPrinter(LPSTR, LPHANDLE handle, LPPRINTER_DEFAULTSA) { return *handle = HANDLE(1), TRUE; }
BOOL WINAPI printerInfo(HANDLE, DWORD, LPBYTE out, DWORD, LPDWORD) {
    return *reinterpret_cast<PRINTER_INFO_2A*>(out) = {}, TRUE;
}
LONG WINAPI properties(HWND, HANDLE, LPSTR, PDEVMODEA out, PDEVMODEA, DWORD mode) {
    if (mode == DM_OUT_BUFFER) *out = DEVMODEA{};
    return mode == 0 ? sizeof(DEVMODEA) : IDOK;
}
BOOL WINAPI closePrinter(HANDLE) { return TRUE; }
HDC WINAPI pageDC(LPCSTR, LPCSTR, LPCSTR, const DEVMODEA*) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kPageW, -kPageH, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    page = static_cast<std::uint8_t*>(bits);
    return dc;
}
int WINAPI succeed(HDC) { return 1; }
int WINAPI abortProc(HDC, ABORTPROC) { return 1; }
int WINAPI startDoc(HDC, const DOCINFOA* info) {
    log("StartDoc \"" + std::string(info->lpszDocName) + "\" " + std::to_string((probe::now() - since) / 1000) +
        " s after the press");
    return 1;
}
int WINAPI endPage(HDC) {
    PALETTEENTRY colours[256]{};
    GetPaletteEntries(CanvasGetPalette(DisplayGetOffscreenCanvas()), 0, 256, colours);
    int differ = 0;
    for (int y = 0; y < kPageH; ++y) {
        for (int x = 0; x < kPageW; ++x) {
            const PALETTEENTRY& c = colours[probe::offscreenPixel(kDesign1.left + x, kDesign1.top + y)];
            const std::uint8_t* printed = page + y * kPageStride + x * 3;
            differ += printed[2] != c.peRed || printed[1] != c.peGreen || printed[0] != c.peBlue;
        }
    }
    log("page: " + std::to_string(differ) + " pixels unlike the picture's (94,8,518,474), paper " +
        std::to_string(probe::offscreenPixel(kDesign1.left, kDesign1.top)) + " at its corner");
    return 1;
}
int WINAPI caps(HDC, int index) {
    if (index == HORZRES || index == PHYSICALWIDTH) return kPageW;
    if (index == VERTRES || index == PHYSICALHEIGHT) return kPageH;
    return index == BITSPIXEL ? 24 : index == PLANES ? 1 : 0;
}

const HatShop* hatShop() {
    return dynamic_cast<const HatShop*>(gActivity);
}

bool interactive() {
    return ActorIsActive(120) == 1;
}

void holdShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// The design, the decorations shown and the print button.
std::string shown() {
    std::string ids = "design " + std::to_string(HatShop::Design()) + ", decorations";
    for (std::int16_t id = 8110; id <= 8115; ++id) ids += SpriteFind(id) ? " " + std::to_string(id) : "";
    return ids + (ActorFindIndex(8610) >= 0 ? ", print button" : ", no print button");
}

PROBE_SCENARIO(HatShopPrinting) {
    static const PrintPlatform printer = {entry,     openPrinter, printerInfo, properties, closePrinter, pageDC,
                                          abortProc, startDoc,    succeed,     endPage,    succeed,      caps};
    static probe::Steps steps{
        [] {
            PrintSetPlatform(&printer);
            gPickerCompletion[kChoiceBand] = gPickerCompletion[kChoiceBLOK_STAK] = 1;
            probe::scriptRandom({16384});
            return true;
        },
        probe::enter(7025, HatShopModuleProc),
        [] { return log(shown()), true; },
        [] { return interactive(); },
        [] {
            since = probe::now();
            return probe::post(kAppCommand, 8610), true;
        },
        [] { return SpriteFind(8600) != 0 && (probe::post(kAppCommand, 8610), true); },  // hovered again
        [] {
            if (SpriteFind(8600)) return false;
            return log("overlay for " + std::to_string((probe::now() - since) / 100) + " tenths"), true;
        },
        [] {
            holdShift(true);
            return probe::post(kAppCommand, 8610), true;
        },
        [] {
            if (!hatShop()->Printing()) return false;
            holdShift(false);
            since = probe::now();
            log(std::string("printing, overlay ") + (SpriteFind(8600) ? "shown" : "none") + ", sprite 8005 " +
                (SpriteFind(8005) ? "shown" : "none"));
            hatPixel = probe::offscreenPixel(kOnHat.h, kOnHat.v);
            probe::takeCalls();
            probe::mouseAt(WM_MOUSEMOVE, kOnHat);
            const TitleBox& tool = title_layout::kHatTools[2];
            const Point onTool{std::int16_t(tool.centreX()), std::int16_t(tool.centreY())};
            for (const UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) probe::mouseAt(message, onTool);
            return true;
        },
        probe::pause(1000),
        [] {
            const bool painted = probe::offscreenPixel(kOnHat.h, kOnHat.v) != hatPixel;
            log(std::string("meanwhile ") + (painted ? "painted" : "no paint") + ", sounds [" +
                probe::startedIds(probe::takeCalls()) + "], tool 8122 " + (ActorIsPressed(8122) ? "pressed" : "up"));
            return true;
        },
        [] { return !hatShop()->Printing(); },
        [] {
            log(std::string("printed, buttons ") + (ActorIsActive(100) == 1 && interactive() ? "back" : "still off") +
                ", tool in use " + (ActorIsActive(8120) == 0 ? "out of reach" : "live"));
            gPrefLevel = 4;
            return probe::post(kAppCommand, 100), true;
        },
        [] { return AppGetModule() == PickerModuleProc; },
        probe::enter(7025, HatShopModuleProc),
        [] { return log("level 4: " + shown()), true; },
        [] { return probe::leaveByExit(), false; },
    };
    steps.run();
}

using HatShopProbeTest = ActivityProbeTest;

TEST_F(HatShopProbeTest, TheOverlayThenAPrintWithShiftThenNoPrintButtonAtLevel4) {
    const ProbeResult run = probeRun("HatShopPrinting", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.log, (Lines{"door 1", "design 1, decorations 8110 8113, print button", "overlay for 100 tenths",
                              "printing, overlay none, sprite 8005 shown",
                              "meanwhile no paint, sounds [], tool 8122 up",
                              "StartDoc \"Tottlewick Hat\" 3 s after the press",
                              "page: 0 pixels unlike the picture's (94,8,518,474), paper 255 at its corner",
                              "printed, buttons back, tool in use out of reach", "level 4: design 1, decorations 8110 8113, no print button",
                              "Picker", "door 0"}));
}

}  // namespace
