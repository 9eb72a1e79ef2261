// Shared pieces of the graphics tests: a fixture with memory and the palette manager started, canvases
// disposed of at the end, a test palette without black, colour read-backs and windows to draw on.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "Canvas.h"
#include "MemHandle.h"
#include "Palette.h"
#include "Port.h"

// Entry i of the test palette: red i, green 3i, blue 255 - i. No entry is black and every one differs.
inline COLORREF testColor(int i) { return RGB(i, (i * 3) & 0xFF, 255 - i); }

inline HPALETTE makeTestPalette() {
    std::vector<std::uint8_t> buffer(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    *log = LOGPALETTE{0x300, 256, {}};
    for (int i = 0; i < 256; ++i) {
        const COLORREF c = testColor(i);
        log->palPalEntry[i] = PALETTEENTRY{GetRValue(c), GetGValue(c), GetBValue(c), PC_RESERVED};
    }
    return CreatePalette(log);
}

// Results side by side, so that one check prints them all. Braces keep their order of evaluation.
using Results = std::vector<std::int64_t>;

inline std::string rectCsv(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

inline PALETTEENTRY entryOf(HPALETTE palette, int index) {
    PALETTEENTRY e{};
    GetPaletteEntries(palette, UINT(index), 1, &e);
    return e;
}
inline COLORREF colourOf(const PALETTEENTRY& e) { return RGB(e.peRed, e.peGreen, e.peBlue); }

// Entry `index` of the system palette.
inline COLORREF systemColour(int index) {
    PALETTEENTRY e{};
    HDC screen = GetDC(nullptr);
    GetSystemPaletteEntries(screen, UINT(index), 1, &e);
    ReleaseDC(nullptr, screen);
    return colourOf(e);
}

// Slot `index` of the colour table of a memory canvas's DIB section.
inline COLORREF tableColour(Canvas canvas, int index) {
    RGBQUAD q{};
    GetDIBColorTable(CanvasGetDC(canvas), UINT(index), 1, &q);
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

// A memory device context over a top-down 24-bit DIB section: a printer, or a screenshot's target. A
// canvas that takes the device context over sets `dc` to 0.
struct Rgb24Dc {
    Rgb24Dc(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, section);
    }
    ~Rgb24Dc() {
        if (dc) { SelectObject(dc, old); DeleteDC(dc); }
        DeleteObject(section);
    }
    Rgb24Dc(const Rgb24Dc&) = delete;
    Rgb24Dc& operator=(const Rgb24Dc&) = delete;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
};

struct GraphicsTest : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(MemInit(kMemFirstTableEntries, kMemGrowEntries), 1);
        ASSERT_EQ(PalMgrInit(), 1);
    }
    void TearDown() override {
        PortSet(0);
        for (Canvas& canvas : canvases) CanvasDispose(&canvas);
        for (HWND window : windows) DestroyWindow(window);
        for (HPALETTE palette : palettes) DeleteObject(palette);
        PalMgrTerm();
        MemTerm();
    }
    // A palette deleted at the end of the test.
    HPALETTE keep(HPALETTE palette) {
        palettes.push_back(palette);
        return palette;
    }
    // A stock palette deleted at the end of the test; 0 when refused.
    HPALETTE stock(std::uint16_t kind) {
        HPALETTE palette = nullptr;
        return PalCreateStock(&palette, kind) ? keep(palette) : nullptr;
    }
    // A canvas disposed of at the end of the test; 0 when it could not be made.
    Canvas make(std::uintptr_t argument, std::uint16_t kindWord) {
        Canvas canvas = 0;
        if (CanvasCreate(&canvas, argument, kindWord)) canvases.push_back(canvas);
        return canvas;
    }
    Canvas memory(int width, int height, std::uint16_t depth = kCanvasDepth8) {
        return make(std::uintptr_t(width) | std::uintptr_t(height) << 16, kCanvasMemory | depth);
    }
    // A pop-up window at the top-left of the screen with a client area of the given size, destroyed at the
    // end. Only a visible one reaches the screen; a hidden one spares the 2 s that Wine waits for each
    // window to be unmapped.
    HWND popup(int width, int height, bool visible = false) {
        WNDCLASSA type{};
        type.lpfnWndProc = DefWindowProcA;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "GraphicsTestWindow";
        RegisterClassA(&type);
        windows.push_back(CreateWindowExA(WS_EX_TOPMOST, type.lpszClassName, "", WS_POPUP | (visible ? WS_VISIBLE : 0),
                                          0, 0, width, height, nullptr, nullptr, type.hInstance, nullptr));
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
        return windows.back();
    }
    Canvas onWindow(HWND window) { return make(reinterpret_cast<std::uintptr_t>(window), kCanvasWindow); }
    // Makes the test palette current; the manager deletes it at the end.
    HPALETTE useTestPalette() {
        HPALETTE palette = makeTestPalette();
        PalSetCurrent(palette);
        return palette;
    }
    std::vector<Canvas> canvases;
    std::vector<HWND> windows;
    std::vector<HPALETTE> palettes;
};

// The pixels of a memory canvas as values, row by row from the top; `write` replaces them first.
inline std::vector<std::uint16_t> canvasPixels(Canvas canvas, const std::vector<std::uint16_t>* write = nullptr) {
    void* base = nullptr;
    std::int32_t step = 0;
    std::uint16_t depth = 0;
    Rect area{};
    std::vector<std::uint16_t> out;
    if (!CanvasLockPixels(canvas, &base, &step, &depth, &area)) return out;
    const std::size_t size = depth == 8 ? 1 : 2;
    for (int y = 0; y < area.bottom; ++y) {
        for (int x = 0; x < area.right; ++x) {
            std::uint8_t* p = static_cast<std::uint8_t*>(base) + y * step + x * int(size);
            if (write) std::memcpy(p, &(*write)[out.size()], size);
            out.push_back(0);
            std::memcpy(&out.back(), p, size);
        }
    }
    CanvasUnlockPixels(canvas);
    return out;
}
inline std::uint16_t pixelAt(Canvas canvas, int x, int y) {
    return canvasPixels(canvas).at(std::size_t(y * CanvasGetWidth(canvas) + x));
}
