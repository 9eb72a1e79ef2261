// The DirectDraw side of the canvas base: the DirectDraw palette and clipper, device contexts borrowed
// from the surface, clip lists, the pixel format's masks and the raw value of the colour key.
#include <cstring>

#include "OMCanvas.h"
#include "OMDirectDraw.h"
#include "OMSurface.h"

void OMCanvas::makeSurfaceObjects(const PALETTEENTRY* entries) {
    IDirectDraw2* directDraw = activeDirectDraw();
    if (!directDraw) return;
    onSurface = true;
    if (depth == 8) directDraw->CreatePalette(DDPCAPS_8BIT, const_cast<PALETTEENTRY*>(entries), &ddPalette, nullptr);
    directDraw->CreateClipper(0, &clipper, nullptr);
}

void OMCanvas::releaseSurfaceObjects() {
    if (surface && ddPalette) surface->SetPalette(nullptr);
    releaseInterface(ddPalette);
    releaseInterface(clipper);
    releaseInterface(surface);
}

bool OMCanvas::borrowSurfaceDC(bool selectPalette) {
    if (!surface || !restoreIfLost(surface)) return false;
    dc = surfaceDC(surface);
    if (!dc) return false;
    if (selectPalette) previousPalette = SelectPalette(dc, palette, FALSE);
    return true;
}

void OMCanvas::returnSurfaceDC() {
    SelectClipRgn(dc, nullptr);
    if (previousPalette) SelectPalette(dc, previousPalette, FALSE);
    previousPalette = nullptr;
    surface->ReleaseDC(dc);
    dc = nullptr;
}

// A clip list that cannot be set fails the preparation: an unclipped blit would draw outside the region.
bool OMCanvas::clipSurface(HRGN region) {
    if (!surface || !restoreIfLost(surface)) return false;
    if (region) {
        if (!attachClipList(surface, clipper, region)) return false;
        clipperAttached = 1;
    }
    GdiFlush();
    return true;
}

void OMCanvas::unclipSurface() {
    if (!clipperAttached) return;
    clipperAttached = 0;
    surface->SetClipper(nullptr);
}

// Through GDI a deep memory canvas is a DIB section of the standard layout, and colours packed for it
// must follow that layout: answering 0 would pack every colour to 0.
void OMCanvas::getColorMasks(std::uint32_t& red, std::uint32_t& green, std::uint32_t& blue) const {
    red = green = blue = 0;
    if (!onSurface) {
        if (typeName() == kMemCanvasType) dibColorMasks(depth, red, green, blue);
        return;
    }
    DDPIXELFORMAT format{};
    format.dwSize = sizeof format;
    if (!surface || FAILED(surface->GetPixelFormat(&format)) || !(format.dwFlags & DDPF_RGB)) return;
    red = format.dwRBitMask;
    green = format.dwGBitMask;
    blue = format.dwBBitMask;
}

// Through GDI no blit honours a colour key, so the key has no raw value there.
void OMCanvas::setColorKey(const OMColorRecord& color) {
    keyColor = color;
    colorKey = computeColorKey(color);
    if (!onSurface || colorKey == kNoColorKey) return;
    DDCOLORKEY key{colorKey, colorKey};
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
}

// The colour is drawn at (0, 0) through the canvas's palette, as GDI draws it on this canvas, and read
// back raw; the pixel is then put back. Surfaces of fewer than 32 bits keep only that many bits.
std::uint32_t OMCanvas::computeColorKey(const OMColorRecord& color) {
    if (!onSurface || !borrowSurfaceDC(true)) return kNoColorKey;
    const COLORREF saved = GetPixel(dc, 0, 0);
    SetPixel(dc, 0, 0, colorRefFor(color, 8, OMPaletteEntry{}));
    returnSurfaceDC();
    std::uint32_t key = kNoColorKey;
    DDSURFACEDESC locked;
    if (lockSurface(surface, locked)) {
        std::memcpy(&key, locked.lpSurface, sizeof key);
        const DWORD bits = locked.ddpfPixelFormat.dwRGBBitCount;
        if (bits < 32) key &= (1u << bits) - 1;
        surface->Unlock(nullptr);
    }
    if (borrowSurfaceDC(true)) {
        SetPixel(dc, 0, 0, saved);
        returnSurfaceDC();
    }
    return key;
}
