// Palettes on canvases. Canvases are found through their "CANVAS" label, so every canvas of the program
// follows a palette switch without a list of its own.
#include "CanvasPalette.h"

#include "CanvasRecord.h"
#include "Palette.h"
#include "PaletteEntries.h"

namespace {

bool passes(const CanvasRecord& r, std::uint16_t filter) {
    switch (filter) {
    case kCanvasFilterAll: return true;
    case kCanvasFilterOffscreen:
        return r.kind() == kCanvasMemory && (r.kindWord & kCanvasUsageMask) == kCanvasOffscreen;
    case kCanvasFilterWindow: return r.kind() == kCanvasWindow;
    case kCanvasFilterDeviceContext: return r.kind() == kCanvasDeviceContext;
    case kCanvasFilterBitmap: return r.kind() == kCanvasBitmap;
    default: return false;
    }
}

bool setDibColors(HDC dc, HPALETTE palette) {
    PALETTEENTRY entries[kPalEntries];
    RGBQUAD colors[kPalEntries];
    paletteRead(palette, entries);
    for (int i = 0; i < kPalEntries; ++i) {
        colors[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    }
    return SetDIBColorTable(dc, 0, kPalEntries, colors) != 0;
}

}  // namespace

std::int16_t CanvasSetPalette(Canvas canvas, HPALETTE palette) {
    CanvasAccess r(canvas);
    if (!r) return 0;
    if (!palette) palette = PalGetCurrent();
    r->palette = palette;
    switch (r->kind()) {
    case kCanvasDeviceContext:
    case kCanvasBitmap: return SelectPalette(r->dc, palette, TRUE) ? 1 : 0;
    case kCanvasWindow: return SelectPalette(canvasDC(*r), palette, FALSE) ? 1 : 0;
    case kCanvasMemory: return setDibColors(r->dc, palette) ? 1 : 0;
    default: return 0;
    }
}

std::int16_t CanvasRealize(Canvas canvas) {
    const HDC dc = CanvasGetDC(canvas);
    if (!dc) return 0;
    const UINT mapped = RealizePalette(dc);
    return mapped != GDI_ERROR && mapped > 0 ? 1 : 0;
}

std::int16_t CanvasSwitchPalette(HPALETTE oldPalette, HPALETTE newPalette, std::uint16_t filter) {
    std::int16_t changed = 0;
    for (Canvas canvas = MemHandleFind(0, kCanvasLabel, nullptr); canvas;
         canvas = MemHandleFind(canvas, kCanvasLabel, nullptr)) {
        bool chosen = false;
        {
            CanvasAccess r(canvas);
            chosen = r && r->palette == oldPalette && passes(*r, filter);
        }
        if (chosen && CanvasSetPalette(canvas, newPalette)) changed = 1;
    }
    return changed;
}

std::int16_t CanvasRealizeAll() {
    std::int16_t realized = 0;
    for (Canvas canvas = MemHandleFind(0, kCanvasLabel, nullptr); canvas;
         canvas = MemHandleFind(canvas, kCanvasLabel, nullptr)) {
        CanvasSetPalette(canvas, PalGetCurrent());
        if (CanvasGetKind(canvas) == kCanvasWindow && CanvasRealize(canvas)) realized = 1;
    }
    return realized;
}
