// Drawing primitives. Memory canvases are filled straight in their DIB; the other kinds draw with GDI
// brushes and pens of a palette index.
#include "Draw.h"

#include <windows.h>

#include "Canvas.h"
#include "Dib.h"
#include "Palette.h"
#include "Port.h"
#include "WinRect.h"

void DrawFillRectIndex(const Rect* rect, std::uint8_t index) {
    const Canvas port = PortGet();
    switch (CanvasGetKind(port)) {
    case kCanvasMemory: {
        Rect clip{};
        Rect r{};
        CanvasGetClip(&clip, port);
        if (RectIntersect(&r, rect, &clip)) DibFillRect(CanvasGetBits(port), CanvasGetDib(port), &r, index);
        return;
    }
    case kCanvasBitmap:
    case kCanvasWindow: {
        HBRUSH brush = CreateSolidBrush(PALETTEINDEX(index));
        RECT r{};
        RectToWinRect(rect, &r);
        FillRect(CanvasGetDC(port), &r, brush);
        DeleteObject(brush);
        return;
    }
    default: return;
    }
}

void DrawFillRect(const Rect* rect, std::uint32_t colour) {
    const Canvas port = PortGet();
    if (!port) return;
    Rect clip{};
    Rect r{};
    CanvasGetClip(&clip, port);
    if (!RectIntersect(&r, rect, &clip)) return;
    CanvasRectToDevice(&r, port);
    DrawFillRectIndex(&r, PalNearestIndex(nullptr, colour, 0));
}

void DrawFrameRectIndex(const Rect* rect, std::uint8_t index) {
    const HDC dc = PortGetDC();
    if (!dc) return;
    HBRUSH brush = CreateSolidBrush(PALETTEINDEX(index));
    RECT r{};
    RectToWinRect(rect, &r);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

void DrawFrameRect(const Rect* rect, std::uint32_t colour) {
    if (!PortGet()) return;
    Rect r = *rect;
    CanvasRectToDevice(&r, PortGet());
    DrawFrameRectIndex(&r, PalNearestIndex(nullptr, colour, 0));
}

void DrawLineIndex(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::uint8_t index) {
    const HDC dc = PortGetDC();
    if (!dc) return;
    HPEN pen = CreatePen(PS_SOLID, 1, PALETTEINDEX(index));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void DrawLine(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::uint32_t colour) {
    const Canvas port = PortGet();
    if (!port) return;
    DrawLineIndex(CanvasXToDevice(x1, port), CanvasYToDevice(y1, port), CanvasXToDevice(x2, port),
                  CanvasYToDevice(y2, port), PalNearestIndex(nullptr, colour, 0));
}
