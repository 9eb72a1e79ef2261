// Window canvases over the window's device context.
#include "OMWndCanvas.h"

#include "OMApp.h"
#include "OMCursor.h"
#include "OMMemCanvas.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"

OMWndCanvas::OMWndCanvas(OMWindow* owner)
    : OMCanvas(displayBitsPerPixel(theApp ? theApp->displayNumber : 0)), window(owner) {}

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

// The window's own paint handling repaints the cleared area; its device context keeps the clip
// selected afterwards between acquisitions.
void OMWndCanvas::erase(const OMColorRecord& color) {
    backgroundColor = color;
    if (color.index == kNoColor) return;
    HDC context = GetDC(window->hwnd);
    if (!context) return;
    SelectClipRgn(context, nullptr);
    ReleaseDC(window->hwnd, context);
    InvalidateRect(window->hwnd, nullptr, TRUE);
    UpdateWindow(window->hwnd);
    context = GetDC(window->hwnd);
    if (!context) return;
    selectClip(context, clip.handle());
    ReleaseDC(window->hwnd, context);
}

bool OMWndCanvas::getDC() {
    dc = GetDC(window->hwnd);
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
    ReleaseDC(window->hwnd, dc);
    dc = nullptr;
}

bool OMWndCanvas::getDCClipped(HRGN region, bool selectPalette) {
    dc = GetDC(window->hwnd);
    if (!dc) return false;
    selectClip(dc, region);
    previousPalette = selectPalette ? SelectPalette(dc, palette, FALSE) : nullptr;
    return true;
}

void OMWndCanvas::clearClip() {
    if (!dc) return;
    releaseDC();
}

void OMWndCanvas::applyPalette(const PALETTEENTRY*) {
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

bool OMWndCanvas::attachMemCanvas(OMMemCanvas*) { return false; }

void OMWndCanvas::detachMemCanvas(OMMemCanvas*) {}

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
