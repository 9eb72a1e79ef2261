// Memory canvases over DIB sections or DirectDraw surfaces.
#include "OMMemCanvas.h"

#include "OMApp.h"
#include "OMDirectDraw.h"
#include "OMPixelCopy.h"
#include "OMSurface.h"

std::int32_t OMMemCanvas::anyCreated = 0;

OMMemCanvas::OMMemCanvas(std::int32_t pixelsWide, std::int32_t pixelsHigh, std::int32_t bitsPerPixel,
                         std::uint32_t flags)
    : OMCanvas(bitsPerPixel), canvasHeight(pixelsHigh), canvasWidth(pixelsWide), surfaceFlags(flags) {
    anyCreated = 1;
    onSurface = onSurface && gdiMemoryCanvases == 0;
    if (onSurface) {
        createSurface(flags);
    } else {
        createSection();
    }
    erase(backgroundColor);
}

// The section's colour table is the palette; the rows run top-down (negative height).
void OMMemCanvas::createSection() {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[kPaletteSize];
    } info{};
    PALETTEENTRY entries[kPaletteSize];
    GetPaletteEntries(palette, 0, kPaletteSize, entries);
    info.header = {sizeof(BITMAPINFOHEADER), canvasWidth, -canvasHeight, 1, static_cast<WORD>(depth), BI_RGB,
                   static_cast<DWORD>(canvasHeight * rowSize()), 0, 0, depth == 8 ? 256u : 0u, 0};
    for (int i = 0; i < kPaletteSize; ++i) info.colors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    void* memory = nullptr;
    section = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<std::uint8_t*>(memory);
    previousBitmap = SelectObject(dc, section);
    ReleaseDC(nullptr, screen);
    if (depth == 8) previousPalette = SelectPalette(dc, palette, FALSE);
}

// Video memory first when the flags allow it, then system memory.
void OMMemCanvas::createSurface(std::uint32_t flags) {
    surfaceFlags = flags;
    IDirectDraw2* directDraw = activeDirectDraw();
    if (!directDraw) return;
    releaseInterface(surface);
    if (flags & kVideoMemorySurface) {
        surface = makeSurface(directDraw, DDSCAPS_VIDEOMEMORY | DDSCAPS_3DDEVICE, canvasWidth, canvasHeight);
    }
    if (!surface && (flags & kSystemMemorySurface)) {
        surface = makeSurface(directDraw, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY | DDSCAPS_3DDEVICE,
                              canvasWidth, canvasHeight);
    }
    if (surface && depth == 8 && ddPalette) surface->SetPalette(ddPalette);
}

OMMemCanvas::~OMMemCanvas() {
    if (!onSurface) deleteSection();
}

void OMMemCanvas::deleteSection() {
    if (previousPalette) SelectPalette(dc, previousPalette, FALSE);
    SelectObject(dc, previousBitmap);
    DeleteObject(section);
    DeleteDC(dc);
    dc = nullptr;
}

bool OMMemCanvas::lockBits(std::uint8_t*& pixels, std::int32_t& pitch) {
    if (!onSurface) {
        GdiFlush();
        pixels = bits;
        pitch = bits ? rowSize() : 0;
        return bits != nullptr;
    }
    pixels = nullptr;
    pitch = 0;
    DDSURFACEDESC locked;
    if (!surface || !restoreIfLost(surface) || !lockSurface(surface, locked)) return false;
    pixels = static_cast<std::uint8_t*>(locked.lpSurface);
    pitch = locked.lPitch;
    return true;
}

void OMMemCanvas::unlockBits() {
    if (onSurface && surface) surface->Unlock(nullptr);
}

// A surface lends its device context for the fill, with the palette at 8 bits as the section's has.
void OMMemCanvas::erase(const OMColorRecord& color) {
    backgroundColor = color;
    if (color.index == kNoColor) return;
    if (onSurface && !borrowSurfaceDC(depth == 8)) return;
    SelectClipRgn(dc, nullptr);
    HBRUSH brush = CreateSolidBrush(colorRef(color));
    const RECT all{0, 0, canvasWidth, canvasHeight};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    if (onSurface) return returnSurfaceDC();
    SelectClipRgn(dc, clip.handle());
}

bool OMMemCanvas::getDC() {
    if (onSurface && !borrowSurfaceDC(depth == 8)) return false;
    SelectClipRgn(dc, clip.handle());
    GdiFlush();
    return dc != nullptr;
}

void OMMemCanvas::releaseDC() {
    if (onSurface) return returnSurfaceDC();
    SelectClipRgn(dc, nullptr);
}

bool OMMemCanvas::getDCClipped(HRGN region, bool) {
    if (onSurface) return clipSurface(region);
    SelectClipRgn(dc, region);
    return true;
}

void OMMemCanvas::clearClip() {
    if (onSurface) return unclipSurface();
    SelectClipRgn(dc, nullptr);
}

void OMMemCanvas::applyPalette(const PALETTEENTRY* entries) {
    if (depth != 8 || !entries) return;
    if (onSurface) {
        if (ddPalette) ddPalette->SetEntries(0, 0, kPaletteSize, const_cast<PALETTEENTRY*>(entries));
        return;
    }
    RGBQUAD quads[kPaletteSize];
    for (int i = 0; i < kPaletteSize; ++i) quads[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    SetDIBColorTable(dc, 0, kPaletteSize, quads);
}

void copyMemCanvasRows(OMMemCanvas& source, const OMRect& from, OMMemCanvas& destination, const OMRect& to) {
    OMPixelView in{nullptr, 0, source.depth};
    OMPixelView out{nullptr, 0, destination.depth};
    if (source.lockBits(in.pixels, in.pitch) && destination.lockBits(out.pixels, out.pitch)) {
        copyPixelRows(in, from, out, to);
    }
    destination.unlockBits();
    source.unlockBits();
}
