// The canvas base: palette, colours, copies between canvases (blits between DirectDraw surfaces), bitmaps,
// text and shapes through GDI.
#include "OMCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "OMApp.h"
#include "OMBitmap.h"
#include "OMFont.h"
#include "OMMemCanvas.h"
#include "OMNFNTFont.h"
#include "OMPixelCopy.h"
#include "OMSurface.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"

static_assert(sizeof(OMPaletteEntry) == sizeof(PALETTEENTRY), "palette entries are handed to GDI as they are");

namespace {

constexpr DWORD kSourcePaint = 0x00EE0086;  // SRCPAINT

struct LogicalPalette {
    WORD version;
    WORD count;
    PALETTEENTRY entries[kPaletteSize];
};

PALETTEENTRY* asGdi(OMPaletteEntry* entries) { return reinterpret_cast<PALETTEENTRY*>(entries); }

// A GDI object selected into a device context for the length of a scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

void stretchWhole(HDC dc, std::int32_t x, std::int32_t y, const OMBitmap& bitmap, const void* info,
                  const void* pixels, DWORD rop) {
    // A top-down bitmap's negative height says the order of its rows, not a mirrored copy.
    const std::int32_t height = std::abs(bitmap.bitmapHeight);
    StretchDIBits(dc, x, y, bitmap.bitmapWidth, height, 0, 0, bitmap.bitmapWidth, height, pixels,
                  static_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS, rop);
}

// Clips a source rectangle of a window canvas (and its destination) to the main window's client area
// and the screen, in the source window's client coordinates.
void clipSourceToScreen(OMCanvas& source, OMRect& from, OMRect& to) {
    HWND window = static_cast<OMWndCanvas&>(source).window->hwnd;
    if (theApp) {
        RECT client{};
        GetClientRect(theApp->window, &client);
        MapWindowPoints(theApp->window, window, reinterpret_cast<POINT*>(&client), 2);
        clipRectPair({client.left, client.top, client.right, client.bottom}, from, to);
    }
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    OMRect screen = screenBounds(theApp ? theApp->displayNumber : 0);
    screen.set(screen.left - origin.x, screen.top - origin.y, screen.right - origin.x, screen.bottom - origin.y);
    clipRectPair(screen, from, to);
}

}  // namespace

void buildSystemColorTable(OMColorRecord* table) {
    fixedSystemColorTable(table);
    const std::int32_t display = theApp ? theApp->displayNumber : 0;
    if (display > 1 || displayBitsPerPixel(display) != 8) return;
    PALETTEENTRY system[kPaletteSize]{};
    HDC screen = GetDC(nullptr);
    GetSystemPaletteEntries(screen, 0, kPaletteSize, system);
    ReleaseDC(nullptr, screen);
    for (int i = 0; i < kPaletteSize; ++i) {
        if (isStaticEntry(i)) table[i] = colorOf(system[i].peRed, system[i].peGreen, system[i].peBlue);
    }
}

OMCanvas::OMCanvas(std::int32_t bitsPerPixel) : depth(bitsPerPixel), ownFont(new OMSysFont()) {
    font = ownFont.get();
    OMColorRecord system[kPaletteSize];
    buildSystemColorTable(system);
    LogicalPalette logical{0x300, kPaletteSize, {}};
    initialPaletteEntries(system, reinterpret_cast<OMPaletteEntry*>(logical.entries));
    palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical));
    makeSurfaceObjects(logical.entries);
}

OMCanvas::~OMCanvas() {
    releaseSurfaceObjects();
    DeleteObject(palette);
}

void OMCanvas::getColorTable(OMColorRecord* table) const {
    OMPaletteEntry entries[kPaletteSize]{};
    GetPaletteEntries(palette, 0, kPaletteSize, asGdi(entries));
    for (int i = 0; i < kPaletteSize; ++i) table[i] = recordOf(entries[i]);
}

OMColorRecord OMCanvas::colorAt(std::int32_t index) const {
    if (index < 0 || index >= kPaletteSize) return OMColorRecord{};
    OMPaletteEntry entry{};
    GetPaletteEntries(palette, static_cast<UINT>(index), 1, asGdi(&entry));
    return recordOf(entry);
}

void OMCanvas::setColorTable(const OMColorRecord* table) {
    OMColorRecord system[kPaletteSize];
    buildSystemColorTable(system);
    OMPaletteEntry entries[kPaletteSize];
    programPaletteEntries(system, table, entries);
    SetPaletteEntries(palette, 0, kPaletteSize, asGdi(entries));
    applyPalette(asGdi(entries));
}

std::uint32_t OMCanvas::colorRef(const OMColorRecord& color) const {
    OMPaletteEntry indexed{};
    if (depth > 8 && color.index >= 0) GetPaletteEntries(palette, color.index & 0xFF, 1, asGdi(&indexed));
    return colorRefFor(color, depth, indexed);
}

// A clip region that leaves nothing (an empty region, or one that misses the canvas's own clip)
// copies nothing rather than everything.
bool OMCanvas::copyClipHandle(const OMRegion* clipRegion, OMRegion& scratch, HRGN& handle) const {
    handle = clip.handle();
    if (!clipRegion) return true;
    if (!clip.handle()) {
        handle = clipRegion->handle();
    } else {
        scratch = *clipRegion & clip;
        handle = scratch.handle();
    }
    return handle != nullptr;
}

void OMCanvas::copyFrom(OMCanvas& source, std::int32_t sourceX, std::int32_t sourceY, std::int32_t copyWidth,
                        std::int32_t copyHeight, std::int32_t destX, std::int32_t destY, std::uint32_t rasterOp,
                        const OMRegion* clipRegion) {
    if (!((source.depth == 8 && depth == 8) || depth > 8)) return;
    OMRect from{sourceX, sourceY, sourceX + copyWidth, sourceY + copyHeight};
    OMRect to{destX, destY, destX + copyWidth, destY + copyHeight};
    clipRectPair({0, 0, source.width(), source.height()}, from, to);
    if (source.typeName() == kWndCanvasType) clipSourceToScreen(source, from, to);
    clipRectPair({0, 0, width(), height()}, to, from);
    if (to == kEmptyRect) return;
    OMRegion scratch;
    HRGN handle = nullptr;
    if (!copyClipHandle(clipRegion, scratch, handle)) return;
    const bool betweenSurfaces = onSurface && source.onSurface;
    if (!source.prepareCopy(nullptr, false, betweenSurfaces)) return;
    if (prepareCopy(handle, true, betweenSurfaces)) {
        blitFrom(source, from, to, rasterOp, handle != nullptr);
        finishCopy(betweenSurfaces);
    }
    source.finishCopy(betweenSurfaces);
}

bool OMCanvas::prepareCopy(HRGN region, bool selectPalette, bool betweenSurfaces) {
    if (betweenSurfaces || !onSurface) return getDCClipped(region, selectPalette);
    if (!borrowSurfaceDC(selectPalette)) return false;
    SelectClipRgn(dc, region);
    return true;
}

void OMCanvas::finishCopy(bool betweenSurfaces) {
    if (betweenSurfaces || !onSurface) return clearClip();
    returnSurfaceDC();
}

// Copies between two surfaces are blits. Through GDI, unclipped copies between memory canvases are row
// copies and all others BitBlt, which ignores the colour-key bit. Either way an unclipped copy between
// memory canvases of different depths copies nothing.
void OMCanvas::blitFrom(OMCanvas& source, const OMRect& from, const OMRect& to, std::uint32_t rasterOp, bool clipped) {
    const bool memoryPair = typeName() == kMemCanvasType && source.typeName() == kMemCanvasType;
    if (!clipped && memoryPair && source.depth != depth) return;
    if (onSurface && source.onSurface) return blitSurface(surface, to, source.surface, from, rasterOp, clipped);
    if (!clipped && memoryPair) {
        return copyMemCanvasRows(static_cast<OMMemCanvas&>(source), from, static_cast<OMMemCanvas&>(*this), to);
    }
    BitBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, source.dc, from.left, from.top,
           rasterOp & 0xFFFFFF);
}

// Transparent drawing: image XOR, mask AND, image XOR again; where the mask is white the canvas
// comes back unchanged.
void OMCanvas::drawBitmap(std::int32_t x, std::int32_t y, OMBitmap* bitmap) {
    if (!bitmap || !bitmap->info()) return;
    if (!(depth > 8 || (depth == 8 && bitmap->bitCount == 8))) return;
    if (!getDC()) return;
    if (!transparentBitmaps) {
        stretchWhole(dc, x, y, *bitmap, bitmap->info(), bitmap->pixels(), SRCCOPY);
    } else {
        if (!bitmap->maskInfo()) bitmap->buildMask();
        stretchWhole(dc, x, y, *bitmap, bitmap->info(), bitmap->pixels(), SRCINVERT);
        stretchWhole(dc, x, y, *bitmap, bitmap->maskInfo(), bitmap->maskPixels(), SRCAND);
        stretchWhole(dc, x, y, *bitmap, bitmap->info(), bitmap->pixels(), SRCINVERT);
    }
    releaseDC();
}

void OMCanvas::drawText(std::int32_t x, std::int32_t y, const char* text) {
    if (!getDC()) return;
    if (std::strcmp(font->typeName(), "OMNFNTFont") == 0) {
        drawNFNTText(x, y, text);
    } else {
        drawGdiText(x, y, text);
    }
    releaseDC();
}

void OMCanvas::drawNFNTText(std::int32_t x, std::int32_t y, const char* text) {
    const std::uint32_t color = colorRef(textColor);
    for (const char* c = text; *c; ++c) x += drawGlyph(x, y, static_cast<unsigned char>(*c), color);
}

void OMCanvas::drawGdiText(std::int32_t x, std::int32_t y, const char* text) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorRef(textColor));
    Selected selected(dc, font->handle);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    TextOutA(dc, x, y - metrics.tmAscent, text, static_cast<int>(std::strlen(text)));
}

// The glyph's image is copied out of the font's strike in two passes: AND clears the ink pixels, OR
// paints them in the colour; the pixels around the ink stay. Deep memory canvases take the strike as a
// DIB whose two colours are rewritten for each pass; others blit from the strike's device bitmap,
// whose colours come from the text and background colours.
std::int16_t OMCanvas::drawGlyph(std::int32_t x, std::int32_t y, unsigned char character, std::uint32_t color) {
    OMNFNTFont& nfnt = static_cast<OMNFNTFont&>(*font);
    const NFNTHeader& header = nfnt.data.header;
    const NFNTGlyph glyph = nfnt.data.glyph(character);
    const std::int32_t left = x + glyph.offset + header.kernMax;
    const std::int32_t top = y - header.ascent;
    const std::int32_t rows = std::min<std::int32_t>(header.ascent + header.descent, header.fRectHeight);
    if (clip.handle()) {
        const char text[2] = {static_cast<char>(character), 0};
        OMRect box{};
        nfnt.textBounds(box, text);
        if (!(box == kEmptyRect)) box.set(box.left + x, box.top + y, box.right + x, box.bottom + y);
        if (!box.intersectsRegion(clip)) return glyph.advance;
    }
    if (glyph.imageWidth == 0 || rows <= 0 || !nfnt.strikeBitmap) return glyph.advance;
    if (depth >= 16 && (onSurface || typeName() == kMemCanvasType)) {
        RGBQUAD* colors = nfnt.strikeColors();
        // A bottom-up DIB counts source rows from its bottom edge.
        const std::int32_t sourceY = header.fRectHeight - rows;
        colors[0] = {255, 255, 255, 0};
        colors[1] = {0, 0, 0, 0};
        StretchDIBits(dc, left, top, glyph.imageWidth, rows, glyph.imageX, sourceY, glyph.imageWidth, rows,
                      nfnt.strikeBits(), nfnt.strikeInfo(), DIB_RGB_COLORS, SRCAND);
        colors[0] = {0, 0, 0, 0};
        colors[1] = {GetBValue(color), GetGValue(color), GetRValue(color), 0};
        StretchDIBits(dc, left, top, glyph.imageWidth, rows, glyph.imageX, sourceY, glyph.imageWidth, rows,
                      nfnt.strikeBits(), nfnt.strikeInfo(), DIB_RGB_COLORS, kSourcePaint);
        colors[1] = {255, 255, 255, 0};
    } else {
        SetBkColor(dc, RGB(0, 0, 0));
        SetTextColor(dc, RGB(255, 255, 255));
        BitBlt(dc, left, top, glyph.imageWidth, rows, nfnt.memoryDC, glyph.imageX, 0, SRCAND);
        SetBkColor(dc, color);
        SetTextColor(dc, RGB(0, 0, 0));
        BitBlt(dc, left, top, glyph.imageWidth, rows, nfnt.memoryDC, glyph.imageX, 0, kSourcePaint);
    }
    return glyph.advance;
}

void OMCanvas::paintRegion(const OMRegion* region) {
    if (!region || !getDC()) return;
    if (fillEnabled) {
        HBRUSH brush = CreateSolidBrush(colorRef(fillColor));
        FillRgn(dc, region->handle(), brush);
        DeleteObject(brush);
    }
    if (frameEnabled) {
        HBRUSH brush = CreateSolidBrush(colorRef(frameColor));
        FrameRgn(dc, region->handle(), brush, penWidth, penWidth);
        DeleteObject(brush);
    }
    releaseDC();
}

// Without a frame, a filled rectangle takes a 1-pixel pen of the fill colour; with neither, null brush
// and null pen draw nothing.
void OMCanvas::drawRectangle(const OMRect& rect) {
    if (!getDC()) return;
    HGDIOBJ brush = fillEnabled ? CreateSolidBrush(colorRef(fillColor)) : GetStockObject(NULL_BRUSH);
    HGDIOBJ pen = frameEnabled  ? CreatePen(PS_SOLID, penWidth, colorRef(frameColor))
                  : fillEnabled ? CreatePen(PS_SOLID, 1, colorRef(fillColor))
                                : GetStockObject(NULL_PEN);
    {
        Selected withBrush(dc, brush);
        Selected withPen(dc, pen);
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    if (fillEnabled) DeleteObject(brush);
    if (frameEnabled || fillEnabled) DeleteObject(pen);
    releaseDC();
}

void OMCanvas::drawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    if (!getDC()) return;
    HPEN pen = CreatePen(PS_SOLID, penWidth, colorRef(frameColor));
    {
        Selected withPen(dc, pen);
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
        LineTo(dc, x2 + 1, y2);
    }
    DeleteObject(pen);
    releaseDC();
}
