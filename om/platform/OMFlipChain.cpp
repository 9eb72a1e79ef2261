// The window canvas's flipping chain in full-screen DirectDraw mode: memory canvases attached as back
// buffers of the primary surface, and the flip that shows them.
#include "OMApp.h"
#include "OMDirectDraw.h"
#include "OMMemCanvas.h"
#include "OMSurface.h"
#include "OMWndCanvas.h"

namespace {

// The hand-out walks down the chain: the canvas at the locator takes the enumerated surface (and the
// reference the enumeration gave it), and the next canvas takes that surface's own attached surface.
HRESULT WINAPI takeBackBuffer(IDirectDrawSurface* buffer, DDSURFACEDESC*, void* context) {
    auto& locator = *static_cast<OMListElement<OMMemCanvas>**>(context);
    if (!locator) {
        buffer->Release();
        return DDENUMRET_OK;
    }
    locator->element->surface = buffer;
    locator = locator->next;
    if (locator) buffer->EnumAttachedSurfaces(context, takeBackBuffer);
    return DDENUMRET_OK;
}

}  // namespace

// Only a memory canvas that draws on its surface can serve as a back buffer.
bool OMWndCanvas::chainUsable(OMMemCanvas* memCanvas) {
    if (!onSurface || !memCanvas->drawsOnSurface() || !theApp || theApp->windowMode != 4) return false;
    return restoreIfLost(surface) && restoreIfLost(memCanvas->surface);
}

// The canvases' back buffers belong to the chain being replaced, so they go first.
void OMWndCanvas::remakePrimary(DWORD backBuffers) {
    releaseBackBuffers();
    releaseInterface(surface);
    IDirectDraw2* directDraw = activeDirectDraw();
    surface = backBuffers ? makeSurface(directDraw, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX, 0, 0,
                                        backBuffers)
                          : makeSurface(directDraw, DDSCAPS_PRIMARYSURFACE);
    if (surface && depth == 8 && ddPalette) surface->SetPalette(ddPalette);
}

void OMWndCanvas::handOutBackBuffers() {
    OMListElement<OMMemCanvas>* locator = attached.head;
    if (surface && locator) surface->EnumAttachedSurfaces(&locator, takeBackBuffer);
}

void OMWndCanvas::releaseBackBuffers() {
    for (OMListElement<OMMemCanvas>* n = attached.head; n; n = n->next) releaseInterface(n->element->surface);
}

// Attaching the canvas's own surface needs nothing more. When that is refused, a canvas that may live
// in video memory becomes the newest back buffer of a rebuilt chain; should the chain not be made, the
// chain is put back as it was and the canvas gets a surface of its own again.
bool OMWndCanvas::attachMemCanvas(OMMemCanvas* memCanvas) {
    if (!chainUsable(memCanvas)) return false;
    HRESULT result;
    while ((result = surface->AddAttachedSurface(memCanvas->surface)) == DDERR_WASSTILLDRAWING) {}
    if (SUCCEEDED(result)) return true;
    if (!(memCanvas->surfaceFlags & kVideoMemorySurface)) return false;
    releaseInterface(memCanvas->surface);
    remakePrimary(static_cast<DWORD>(attached.count + 1));
    const bool chained = surface != nullptr;
    if (chained) {
        attached.append(memCanvas);
    } else {
        remakePrimary(static_cast<DWORD>(attached.count));
        memCanvas->createSurface(memCanvas->surfaceFlags);
    }
    handOutBackBuffers();
    return chained;
}

void OMWndCanvas::detachMemCanvas(OMMemCanvas* memCanvas) {
    if (!chainUsable(memCanvas)) return;
    if (!attached.contains(memCanvas)) {
        surface->DeleteAttachedSurface(0, memCanvas->surface);
        return;
    }
    attached.remove(memCanvas);
    releaseInterface(memCanvas->surface);
    remakePrimary(static_cast<DWORD>(attached.count));
    handOutBackBuffers();
    memCanvas->createSurface(memCanvas->surfaceFlags);
}

void OMWndCanvas::restoreSurfaces() {
    if (!onSurface || !theApp || theApp->windowMode != 4 || !surface || !restoreIfLost(surface)) return;
    while (surface->Flip(nullptr, 0) == DDERR_WASSTILLDRAWING) {}
}
