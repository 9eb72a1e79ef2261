// Palettes and fades of the window, and the update manager's view of the window layer.
#include "DisplayPalette.h"

#include "AppModule.h"
#include "AppRun.h"
#include "CanvasPalette.h"
#include "DibColors.h"
#include "DisplayCanvas.h"
#include "DisplayWindow.h"
#include "PalFade.h"
#include "Palette.h"
#include "UpdateDisplay.h"

namespace {

constexpr std::uint16_t kFadeSteps = 50;
constexpr std::uint32_t kFadeMs = 500;

std::int16_t idleDuringFade() { return AppIdle(); }

void paintMarginsOnly() { DisplayPaintMargins(nullptr, 0); }

void idleOnce() { AppIdle(); }

LRESULT endOfChain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return AppDefWindowProc(window, message, wParam, lParam);
}

const UpdateDisplay kServices = {
    DisplayGetScreenRect,    DisplayGetWindowCanvas, DisplayGetOffscreenCanvas, DisplayCopyToWindow,
    paintMarginsOnly,        DisplayRefreshWithFade, idleOnce,                  endOfChain,
};

}  // namespace

std::int16_t DisplaySetPaletteFromDib(std::uint16_t id) {
    MemHandle colours = PalLoadDibColors(id);
    HPALETTE palette = nullptr;
    const bool made = colours && PalCreateFromColors(colours, &palette, 0);
    MemHandleFree(&colours);
    if (!made) return 0;
    HPALETTE previous = PalSetCurrent(palette);
    PalDelete(&previous);
    CanvasRealizeAll();
    return 1;
}

void DisplayDropPalette() {
    const HWND window = DisplayGetWindow();
    HDC dc = window ? GetDC(window) : nullptr;
    if (!dc) return;
    SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    ReleaseDC(window, dc);
}

void DisplayRefreshWithFade() {
    const Canvas window = DisplayGetWindowCanvas();
    PalFadeInBegin(window);
    DisplayPaintMargins(nullptr, 1);
    DisplayCopyToWindow(nullptr);
    PalFadeRun(kFadeSteps, kFadeMs, idleDuringFade);
    PalFadeInEnd();
}

void DisplayFadeToBlack() {
    PalFadeOutBegin(DisplayGetWindowCanvas());
    PalFadeRun(kFadeSteps, kFadeMs, idleDuringFade);
    PalFadeOutEnd();
    DisplayPaintMargins(nullptr, 1);
    DisplayClearOffscreen(nullptr);
}

const UpdateDisplay* DisplayUpdateServices() { return &kServices; }
