// Window canvases over the window's device context or, in DirectDraw mode, the primary surface.
#include "OMWndCanvas.h"

#include "OMApp.h"
#include "OMCursor.h"
#include "OMDirectDraw.h"
#include "OMMemCanvas.h"
#include "OMSurface.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"

OMWndCanvas::OMWndCanvas(OMWindow* owner)
    : OMCanvas(displayBitsPerPixel(theApp ? theApp->displayNumber : 0)), window(owner) {
    if (!onSurface) return;
    surface = makeSurface(activeDirectDraw(), DDSCAPS_PRIMARYSURFACE | DDSCAPS_3DDEVICE);
    if (surface && depth == 8 && ddPalette) surface->SetPalette(ddPalette);
}

OMWndCanvas::~OMWndCanvas() { attached.clear(false); }

std::int32_t OMWndCanvas::height() {
    RECT client{};
    GetClientRect(window->hwnd, &client);
    return client.bottom;
}

std::int32_t OMWndCanvas::width() {
    RECT client{};
    GetClientRect(window->hwnd, &client);
    return client.right;
}

void OMWndCanvas::selectClip(HDC context, HRGN region) const {
    if (!IsIconic(window->hwnd)) {
        SelectClipRgn(context, region);
        return;
    }
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    SelectClipRgn(context, empty);
    DeleteObject(empty);
}

HDC OMWndCanvas::takeDC() {
    if (!onSurface) return GetDC(window->hwnd);
    if (!surface || !restoreIfLost(surface)) return nullptr;
    return surfaceDC(surface);
}

void OMWndCanvas::giveBackDC(HDC context) {
    if (onSurface) {
        surface->ReleaseDC(context);
    } else {
        ReleaseDC(window->hwnd, context);
    }
}

// The window's own paint handling repaints the cleared area; its device context keeps the clip
// selected afterwards between acquisitions.
void OMWndCanvas::erase(const OMColorRecord& color) {
    backgroundColor = color;
    if (color.index == kNoColor) return;
    HDC context = takeDC();
    if (!context) return;
    SelectClipRgn(context, nullptr);
    giveBackDC(context);
    InvalidateRect(window->hwnd, nullptr, TRUE);
    UpdateWindow(window->hwnd);
    context = takeDC();
    if (!context) return;
    selectClip(context, clip.handle());
    giveBackDC(context);
}

bool OMWndCanvas::getDC() {
    dc = takeDC();
    if (!dc) return false;
    selectClip(dc, clip.handle());
    previousPalette = SelectPalette(dc, palette, FALSE);
    GdiFlush();
    return true;
}

void OMWndCanvas::releaseDC() {
    SelectClipRgn(dc, nullptr);
    if (previousPalette) SelectPalette(dc, previousPalette, FALSE);
    previousPalette = nullptr;
    giveBackDC(dc);
    dc = nullptr;
}

bool OMWndCanvas::getDCClipped(HRGN region, bool selectPalette) {
    if (onSurface) return clipSurface(region);
    dc = GetDC(window->hwnd);
    if (!dc) return false;
    selectClip(dc, region);
    previousPalette = selectPalette ? SelectPalette(dc, palette, FALSE) : nullptr;
    return true;
}

void OMWndCanvas::clearClip() {
    if (onSurface) return unclipSurface();
    if (!dc) return;
    releaseDC();
}

void OMWndCanvas::applyPalette(const PALETTEENTRY* entries) {
    if (onSurface && depth == 8 && entries && ddPalette) {
        ddPalette->SetEntries(0, 0, kPaletteSize, const_cast<PALETTEENTRY*>(entries));
    }
    if (!palette || (theApp && theApp->windowMode == 4)) return;
    HDC context = GetDC(window->hwnd);
    HPALETTE previous = SelectPalette(context, palette, FALSE);
    RealizePalette(context);
    SelectPalette(context, previous, FALSE);
    ReleaseDC(window->hwnd, context);
}

void OMWndCanvas::unrealizePalette() {
    if (palette) UnrealizeObject(palette);
}

void OMWndCanvas::setCursor(OMCursor* shown) {
    if (!shown) {
        cursor = nullptr;
        OMCursor::setCurrent(nullptr);
        return;
    }
    if (shown == cursor) return;
    cursor = shown;
    OMCursor::setForCanvas(shown, this);
}
