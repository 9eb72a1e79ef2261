// The DirectDraw surface calls the canvases share: restoring lost surfaces, borrowing device contexts,
// locking, clipping and blitting, each answering "still drawing" by calling again.
#pragma once

#include <windows.h>

#include <ddraw.h>

#include <cstdint>

#include "OMRect.h"

// The surface description of DirectDraw's first interfaces.
static_assert(sizeof(DDSURFACEDESC) == 108, "surface descriptions are 108 bytes");
static_assert(sizeof(DDBLTFX) == 100, "blit effects are 100 bytes");

// Releases a COM object when set and clears the pointer.
template <typename Interface>
void releaseInterface(Interface*& object) {
    if (!object) return;
    object->Release();
    object = nullptr;
}

// True when the surface is usable: not lost, or lost and restored.
bool restoreIfLost(IDirectDrawSurface* surface);
// The surface's device context, or null.
HDC surfaceDC(IDirectDrawSurface* surface);
// Locks the whole surface; false (and `locked` untouched) on failure.
bool lockSurface(IDirectDrawSurface* surface, DDSURFACEDESC& locked);
// A new surface of `caps` through `directDraw`, null on failure. The description names a size when one is
// given and a back-buffer count when it is not 0; without a pixel format the surface takes the display's.
IDirectDrawSurface* makeSurface(IDirectDraw2* directDraw, DWORD caps, std::int32_t width = 0, std::int32_t height = 0,
                                DWORD backBuffers = 0);

// Makes `region` (in surface coordinates) the clipper's clip list and attaches the clipper to the surface.
bool attachClipList(IDirectDrawSurface* surface, IDirectDrawClipper* clipper, HRGN region);

// The copy of `from` in `source` to `to` in `destination` (both of one size) with the raster-op word of
// copyFrom: bit 31 leaves out the source's colour key. `clipped` copies through the clipper attached
// to the destination (Blt); otherwise the copy is a BltFast.
void blitSurface(IDirectDrawSurface* destination, const OMRect& to, IDirectDrawSurface* source, const OMRect& from,
                 std::uint32_t rasterOp, bool clipped);
