// Helpers of the DirectDraw tests: the application in full-screen DirectDraw mode with its settings, and
// a surface that reports itself lost.
#pragma once

#include <ddraw.h>

#include "OMApp.h"
#include "OMDirectDraw.h"
#include "OMMemCanvas.h"
#include "OMSystemUtilities.h"
#include "TestSupport.h"
#include "WineDirect3D.h"

inline OMRect screenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// An application per test. makeApp runs it in full-screen DirectDraw mode 4 over the whole screen at the
// display's depth, memory canvases as surfaces unless noSurfaces is 1. The DirectDraw settings go back
// to the product's at the end.
struct DirectDrawFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(displayBitsPerPixel(0), 8) << "DirectDraw is seen working here on 8-bit displays only";
        useWineGdiRenderer();
        setAppInstance(GetModuleHandleA(nullptr));
        static_cast<void>(findRunningInstance(appInstance()));
    }
    void TearDown() override {
        canvases.clear();
        app.reset();
        useDirectDraw = 0;
        noDirectDrawSurfaces = 1;
        unloadDirectDraw();
    }
    void makeApp(std::int32_t mode = 4, std::int32_t use = 1, std::int32_t noSurfaces = 0, OMRect frame = screenRect()) {
        canvases.clear();
        app.reset();
        useDirectDraw = use;
        noDirectDrawSurfaces = noSurfaces;
        app = std::make_unique<OMApp>(mode, &frame, nullptr, displayBitsPerPixel(0));
        app->active = 1;
    }
    // Canvases made through this go before the application.
    OMMemCanvas& makeCanvas(std::int32_t width, std::int32_t height, std::uint32_t flags = kSystemMemorySurface) {
        canvases.push_back(std::make_unique<OMMemCanvas>(width, height, 8, flags));
        return *canvases.back();
    }
    std::unique_ptr<OMApp> app;
    std::vector<std::unique_ptr<OMMemCanvas>> canvases;
};

// The caps of a surface.
inline DWORD capsOf(IDirectDrawSurface* surface) {
    DDSCAPS caps{};
    return surface && SUCCEEDED(surface->GetCaps(&caps)) ? caps.dwCaps : 0;
}

// A stand-in surface that answers IsLost with "lost" until a Restore succeeds; Restore succeeds only
// while `restorable`. Every other call fails.
struct LostSurface : IDirectDrawSurface {
    bool lost = true;
    bool restorable = false;
    int restores = 0;
    STDMETHOD(IsLost)() override { return lost ? DDERR_SURFACELOST : DD_OK; }
    STDMETHOD(Restore)() override {
        ++restores;
        return restorable ? (lost = false, DD_OK) : DDERR_WRONGMODE;
    }
    STDMETHOD(QueryInterface)(REFIID, void** object) override { return *object = nullptr, E_NOINTERFACE; }
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
#define FAILS(name, ...) STDMETHOD(name)(__VA_ARGS__) override { return DDERR_GENERIC; }
    FAILS(AddAttachedSurface, LPDIRECTDRAWSURFACE) FAILS(AddOverlayDirtyRect, LPRECT)
    FAILS(Blt, LPRECT, LPDIRECTDRAWSURFACE, LPRECT, DWORD, LPDDBLTFX) FAILS(BltBatch, LPDDBLTBATCH, DWORD, DWORD)
    FAILS(BltFast, DWORD, DWORD, LPDIRECTDRAWSURFACE, LPRECT, DWORD)
    FAILS(DeleteAttachedSurface, DWORD, LPDIRECTDRAWSURFACE)
    FAILS(EnumAttachedSurfaces, LPVOID, LPDDENUMSURFACESCALLBACK)
    FAILS(EnumOverlayZOrders, DWORD, LPVOID, LPDDENUMSURFACESCALLBACK) FAILS(Flip, LPDIRECTDRAWSURFACE, DWORD)
    FAILS(GetAttachedSurface, LPDDSCAPS, LPDIRECTDRAWSURFACE*) FAILS(GetBltStatus, DWORD) FAILS(GetCaps, LPDDSCAPS)
    FAILS(GetClipper, LPDIRECTDRAWCLIPPER*) FAILS(GetColorKey, DWORD, LPDDCOLORKEY) FAILS(GetDC, HDC*)
    FAILS(GetFlipStatus, DWORD) FAILS(GetOverlayPosition, LPLONG, LPLONG) FAILS(GetPalette, LPDIRECTDRAWPALETTE*)
    FAILS(GetPixelFormat, LPDDPIXELFORMAT) FAILS(GetSurfaceDesc, LPDDSURFACEDESC)
    FAILS(Initialize, LPDIRECTDRAW, LPDDSURFACEDESC) FAILS(Lock, LPRECT, LPDDSURFACEDESC, DWORD, HANDLE)
    FAILS(ReleaseDC, HDC) FAILS(SetClipper, LPDIRECTDRAWCLIPPER) FAILS(SetColorKey, DWORD, LPDDCOLORKEY)
    FAILS(SetOverlayPosition, LONG, LONG) FAILS(SetPalette, LPDIRECTDRAWPALETTE) FAILS(Unlock, LPVOID)
    FAILS(UpdateOverlay, LPRECT, LPDIRECTDRAWSURFACE, LPRECT, DWORD, LPDDOVERLAYFX) FAILS(UpdateOverlayDisplay, DWORD)
    FAILS(UpdateOverlayZOrder, DWORD, LPDIRECTDRAWSURFACE)
#undef FAILS
};

// Puts a stand-in in place of a canvas's surface until it goes.
struct SurfaceSwap {
    SurfaceSwap(IDirectDrawSurface*& held, IDirectDrawSurface* standIn) : slot(held), saved(std::exchange(held, standIn)) {}
    ~SurfaceSwap() { slot = saved; }
    IDirectDrawSurface*& slot;
    IDirectDrawSurface* saved;
};
