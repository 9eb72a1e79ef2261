// The main window procedure.
#include "ApplProc.h"

#include "AppBindings.h"
#include "AppModule.h"
#include "CanvasPalette.h"
#include "DisplayCanvas.h"
#include "DisplayPalette.h"
#include "DisplayWindow.h"
#include "Palette.h"
#include "SndManager.h"
#include "Timer.h"
#include "Update.h"

namespace {

// The halftone palette that the window realises when another window changed the system palette.
HPALETTE halftone = nullptr;

// Selects and realises the current palette in the window's device context; the number of entries that
// changed.
UINT realizeCurrentPalette(HWND window) {
    HDC dc = GetDC(window);
    SelectPalette(dc, PalGetCurrent(), FALSE);
    const UINT changed = RealizePalette(dc);
    ReleaseDC(window, dc);
    return changed;
}

void activate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_CLICKACTIVE && IsIconic(window)) ShowWindow(window, SW_RESTORE);
    if (DisplayIsPaletteDevice() && realizeCurrentPalette(window) > 0) InvalidateRect(window, nullptr, TRUE);
    SetFocus(window);
    TimerPause(0);
    SndActivateWindow(window);
    SndResumeAll();
    if (const Canvas canvas = DisplayGetWindowCanvas()) {
        CanvasSetClip(canvas, nullptr);
        CanvasRealize(canvas);
        UpdateInvalRect(nullptr);
        UpdateWindow(window);
    }
}

void deactivate(HWND window, LPARAM lParam) {
    const HWND gaining = reinterpret_cast<HWND>(lParam);
    if (gaining && IsChild(window, gaining)) return;
    TimerPause(1);
    SndPauseAll();
    SndDeactivateWindow(window);
}

// Realises a halftone palette made once; the number of realised entries.
LRESULT useHalftonePalette(HWND window) {
    HDC dc = GetDC(window);
    if (!halftone) halftone = CreateHalftonePalette(dc);
    SetStretchBltMode(dc, HALFTONE);
    SelectPalette(dc, halftone, FALSE);
    const UINT realized = RealizePalette(dc);
    ReleaseDC(window, dc);
    InvalidateRect(window, nullptr, TRUE);
    return static_cast<LRESULT>(realized);
}

void destroyed(HWND window) {
    DisplayDropPalette();
    if (halftone) {
        HDC dc = GetDC(window);
        SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
        ReleaseDC(window, dc);
        DeleteObject(halftone);
        halftone = nullptr;
    }
    RedrawWindow(nullptr, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK ApplProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (SndDriverMessageHook(message, static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam)))
        return 1;
    switch (message) {
    case WM_CREATE:
        halftone = nullptr;
        break;
    case WM_DESTROY:
        AppSendMessage(window, message, wParam, lParam);
        destroyed(window);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) activate(window, wParam);
        else deactivate(window, lParam);
        break;
    case WM_PAINT:
        if (DisplayIsPaletteDevice()) realizeCurrentPalette(window);
        break;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 1;
    }
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) == window) break;
        [[fallthrough]];
    case WM_QUERYNEWPALETTE:
        if (DisplayIsPaletteDevice() && PalGetCurrent()) return useHalftonePalette(window);
        break;
    case WM_INITMENUPOPUP:
        AppSendMessage(window, kAppMenuOpening, 0, 0);
        break;
    default:
        break;
    }
    return AppSendMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK ApplicationMenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return static_cast<LRESULT>(static_cast<std::uint16_t>(AppDefWindowProc(window, message, wParam, lParam)));
}
