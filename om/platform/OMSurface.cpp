// DirectDraw surface calls with their retries.
#include "OMSurface.h"

#include <vector>

#include "OMCanvas.h"

namespace {

RECT rectOf(const OMRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

bool restoreIfLost(IDirectDrawSurface* surface) {
    if (!surface || surface->IsLost() != DDERR_SURFACELOST) return true;
    return SUCCEEDED(surface->Restore());
}

HDC surfaceDC(IDirectDrawSurface* surface) {
    HDC dc = nullptr;
    HRESULT result;
    while ((result = surface->GetDC(&dc)) == DDERR_WASSTILLDRAWING) {}
    return SUCCEEDED(result) ? dc : nullptr;
}

bool lockSurface(IDirectDrawSurface* surface, DDSURFACEDESC& locked) {
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    HRESULT result;
    while ((result = surface->Lock(nullptr, &description, 0, nullptr)) == DDERR_WASSTILLDRAWING) {}
    if (FAILED(result)) return false;
    locked = description;
    return true;
}

IDirectDrawSurface* makeSurface(IDirectDraw2* directDraw, DWORD caps, std::int32_t width, std::int32_t height,
                                DWORD backBuffers) {
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS;
    if (width && height) {
        description.dwFlags |= DDSD_HEIGHT | DDSD_WIDTH;
        description.dwWidth = static_cast<DWORD>(width);
        description.dwHeight = static_cast<DWORD>(height);
    }
    if (backBuffers) {
        description.dwFlags |= DDSD_BACKBUFFERCOUNT;
        description.dwBackBufferCount = backBuffers;
    }
    description.ddsCaps.dwCaps = caps;
    IDirectDrawSurface* made = nullptr;
    return SUCCEEDED(directDraw->CreateSurface(&description, &made, nullptr)) ? made : nullptr;
}

bool attachClipList(IDirectDrawSurface* surface, IDirectDrawClipper* clipper, HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (!size || !clipper) return false;
    std::vector<std::uint8_t> data(size);
    auto* clipList = reinterpret_cast<RGNDATA*>(data.data());
    if (!GetRegionData(region, size, clipList)) return false;
    return SUCCEEDED(clipper->SetClipList(clipList, 0)) && SUCCEEDED(surface->SetClipper(clipper));
}

void blitSurface(IDirectDrawSurface* destination, const OMRect& to, IDirectDrawSurface* source, const OMRect& from,
                 std::uint32_t rasterOp, bool clipped) {
    const bool keyed = (rasterOp & kColorKeyedCopy) != 0;
    RECT sourceRect = rectOf(from);
    if (!clipped) {
        const DWORD flags = keyed ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY;
        while (destination->BltFast(static_cast<DWORD>(to.left), static_cast<DWORD>(to.top), source, &sourceRect,
                                    flags) == DDERR_WASSTILLDRAWING) {}
        return;
    }
    RECT destinationRect = rectOf(to);
    DDBLTFX effects{};
    effects.dwSize = sizeof effects;
    effects.dwROP = rasterOp & 0xFFFFFF;
    const DWORD flags = DDBLT_ROP | (keyed ? DDBLT_KEYSRC : 0);
    while (destination->Blt(&destinationRect, source, &sourceRect, flags, &effects) == DDERR_WASSTILLDRAWING) {}
}
