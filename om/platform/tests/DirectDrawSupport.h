// Helpers of the DirectDraw tests: the application in full-screen DirectDraw mode with its settings, and
// a surface that reports itself lost.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <ddraw.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "OMApp.h"
#include "OMDirectDraw.h"
#include "OMMemCanvas.h"
#include "OMSystemUtilities.h"
#include "WineDirect3D.h"

inline OMRect screenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// An application per test. makeApp runs it in full-screen DirectDraw mode 4 over the whole screen at the
// display's depth, memory canvases as surfaces unless noSurfaces is 1. The DirectDraw settings go back
// to the product's at the end.
class DirectDrawFixture : public ::testing::Test {
protected:
    void SetUp() override {
        if (displayBitsPerPixel(0) != 8) GTEST_SKIP() << "DirectDraw is seen working here on 8-bit displays only";
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
class LostSurface : public IDirectDrawSurface {
public:
    bool lost = true;
    bool restorable = false;
    int restores = 0;

    STDMETHOD(IsLost)() override { return lost ? DDERR_SURFACELOST : DD_OK; }
    STDMETHOD(Restore)() override {
        ++restores;
        if (!restorable) return DDERR_WRONGMODE;
        lost = false;
        return DD_OK;
    }
    STDMETHOD(QueryInterface)(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(AddAttachedSurface)(LPDIRECTDRAWSURFACE) override { return DDERR_GENERIC; }
    STDMETHOD(AddOverlayDirtyRect)(LPRECT) override { return DDERR_GENERIC; }
    STDMETHOD(Blt)(LPRECT, LPDIRECTDRAWSURFACE, LPRECT, DWORD, LPDDBLTFX) override { return DDERR_GENERIC; }
    STDMETHOD(BltBatch)(LPDDBLTBATCH, DWORD, DWORD) override { return DDERR_GENERIC; }
    STDMETHOD(BltFast)(DWORD, DWORD, LPDIRECTDRAWSURFACE, LPRECT, DWORD) override { return DDERR_GENERIC; }
    STDMETHOD(DeleteAttachedSurface)(DWORD, LPDIRECTDRAWSURFACE) override { return DDERR_GENERIC; }
    STDMETHOD(EnumAttachedSurfaces)(LPVOID, LPDDENUMSURFACESCALLBACK) override { return DDERR_GENERIC; }
    STDMETHOD(EnumOverlayZOrders)(DWORD, LPVOID, LPDDENUMSURFACESCALLBACK) override { return DDERR_GENERIC; }
    STDMETHOD(Flip)(LPDIRECTDRAWSURFACE, DWORD) override { return DDERR_GENERIC; }
    STDMETHOD(GetAttachedSurface)(LPDDSCAPS, LPDIRECTDRAWSURFACE*) override { return DDERR_GENERIC; }
    STDMETHOD(GetBltStatus)(DWORD) override { return DDERR_GENERIC; }
    STDMETHOD(GetCaps)(LPDDSCAPS) override { return DDERR_GENERIC; }
    STDMETHOD(GetClipper)(LPDIRECTDRAWCLIPPER*) override { return DDERR_GENERIC; }
    STDMETHOD(GetColorKey)(DWORD, LPDDCOLORKEY) override { return DDERR_GENERIC; }
    STDMETHOD(GetDC)(HDC*) override { return DDERR_GENERIC; }
    STDMETHOD(GetFlipStatus)(DWORD) override { return DDERR_GENERIC; }
    STDMETHOD(GetOverlayPosition)(LPLONG, LPLONG) override { return DDERR_GENERIC; }
    STDMETHOD(GetPalette)(LPDIRECTDRAWPALETTE*) override { return DDERR_GENERIC; }
    STDMETHOD(GetPixelFormat)(LPDDPIXELFORMAT) override { return DDERR_GENERIC; }
    STDMETHOD(GetSurfaceDesc)(LPDDSURFACEDESC) override { return DDERR_GENERIC; }
    STDMETHOD(Initialize)(LPDIRECTDRAW, LPDDSURFACEDESC) override { return DDERR_GENERIC; }
    STDMETHOD(Lock)(LPRECT, LPDDSURFACEDESC, DWORD, HANDLE) override { return DDERR_GENERIC; }
    STDMETHOD(ReleaseDC)(HDC) override { return DDERR_GENERIC; }
    STDMETHOD(SetClipper)(LPDIRECTDRAWCLIPPER) override { return DDERR_GENERIC; }
    STDMETHOD(SetColorKey)(DWORD, LPDDCOLORKEY) override { return DDERR_GENERIC; }
    STDMETHOD(SetOverlayPosition)(LONG, LONG) override { return DDERR_GENERIC; }
    STDMETHOD(SetPalette)(LPDIRECTDRAWPALETTE) override { return DDERR_GENERIC; }
    STDMETHOD(Unlock)(LPVOID) override { return DDERR_GENERIC; }
    STDMETHOD(UpdateOverlay)(LPRECT, LPDIRECTDRAWSURFACE, LPRECT, DWORD, LPDDOVERLAYFX) override { return DDERR_GENERIC; }
    STDMETHOD(UpdateOverlayDisplay)(DWORD) override { return DDERR_GENERIC; }
    STDMETHOD(UpdateOverlayZOrder)(DWORD, LPDIRECTDRAWSURFACE) override { return DDERR_GENERIC; }
};

// Puts a stand-in in place of a canvas's surface until it goes.
struct SurfaceSwap {
    SurfaceSwap(IDirectDrawSurface*& held, IDirectDrawSurface* standIn) : slot(held), saved(std::exchange(held, standIn)) {}
    ~SurfaceSwap() { slot = saved; }
    IDirectDrawSurface*& slot;
    IDirectDrawSurface* saved;
};
