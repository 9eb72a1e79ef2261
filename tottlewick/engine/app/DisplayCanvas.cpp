// The window and offscreen canvases and the screen rectangle.
#include "DisplayCanvas.h"

#include "CanvasCopy.h"
#include "DisplayCaret.h"
#include "DisplayStyle.h"
#include "Draw.h"
#include "Port.h"
#include "Update.h"

namespace {

constexpr std::uint16_t kOffscreenKind = kCanvasMemory | kCanvasOffscreen;

struct Canvases {
    Canvas window = 0;
    Canvas offscreen = 0;
    Rect screen = {0, 0, 640, 480};
    Rect offscreenBounds = {0, 0, 640, 480};
    std::uint16_t placement = kDisplayCentred;
};

Canvases display;

// Origin reset, then the picture's logical coordinates are the screen rectangle's, placed in the client
// area by the placement mode.
void placePicture() {
    const Canvas window = display.window;
    if (!window) return;
    CanvasSetBounds(window, nullptr);
    Rect client{};
    CanvasGetBounds(&client, window);
    CanvasSetBounds(window, &display.screen);
    const int width = RectWidth(&display.screen);
    const int height = RectHeight(&display.screen);
    int x = 0;
    int y = 0;
    if (!displayPictureOrigin(display.placement, RectWidth(&client), RectHeight(&client), width, height, &x, &y))
        return;
    Rect placed{};
    RectSetBySize(&placed, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                  static_cast<std::int16_t>(width), static_cast<std::int16_t>(height));
    CanvasSetDeviceRect(window, &placed);
}

// Fills a rectangle of device coordinates in the window canvas.
void fillWindowDevice(const Rect& rect, std::uint8_t index) {
    if (RectIsEmpty(&rect)) return;
    DisplayBeginWindowDraw();
    DrawFillRectIndex(&rect, index);
    DisplayEndWindowDraw();
}

}  // namespace

std::int16_t DisplayCreateWindowCanvas(HWND window) {
    return CanvasCreate(&display.window, reinterpret_cast<std::uintptr_t>(window), kCanvasWindow) ? 1 : 0;
}

void DisplayFreeWindowCanvas() { CanvasDispose(&display.window); }

std::int16_t DisplayCreateOffscreenCanvas(const Rect* rect) {
    const auto size = std::uintptr_t(std::uint16_t(RectWidth(rect))) | std::uintptr_t(RectHeight(rect)) << 16;
    if (!CanvasCreate(&display.offscreen, size, kOffscreenKind)) return 1;
    CanvasSetBounds(display.offscreen, rect);
    DisplayClearOffscreen(rect);
    return 0;
}

std::int16_t DisplayCreateDefaultOffscreen() { return DisplayCreateOffscreenCanvas(&display.offscreenBounds); }

void DisplayFreeOffscreenCanvas() { CanvasDispose(&display.offscreen); }

Canvas DisplayGetWindowCanvas() { return display.window; }

Canvas DisplayGetOffscreenCanvas() { return display.offscreen; }

void DisplayBeginWindowDraw() { PortPush(display.window); }

void DisplayEndWindowDraw() { PortPop(); }

void DisplayBeginOffscreenDraw() { PortPush(display.offscreen); }

void DisplayEndOffscreenDraw() { PortPop(); }

void DisplaySetScreenRect(const Rect* rect) {
    display.screen = *rect;
    if (display.offscreen) CanvasSetBounds(display.offscreen, rect);
    placePicture();
}

void DisplayGetScreenRect(Rect* out) { *out = display.screen; }

void DisplayGetOffscreenBounds(Rect* out) { *out = display.offscreenBounds; }

std::uint16_t DisplaySetPicturePlacement(std::uint16_t placement) {
    const std::uint16_t previous = display.placement;
    display.placement = placement;
    return previous;
}

void DisplayFillRect(const Rect* rect, std::uint8_t index) { DrawFillRectIndex(rect ? rect : &display.screen, index); }

void DisplayFrameRect(const Rect* rect, std::uint8_t index) {
    DrawFrameRectIndex(rect ? rect : &display.screen, index);
}

void DisplayDrawLine(const Point* from, const Point* to, std::uint8_t index) {
    DrawLineIndex(from->h, from->v, to->h, to->v, index);
}

void DisplayFillWindowRect(const Rect* rect, std::uint8_t index) {
    Rect device = rect ? *rect : display.screen;
    CanvasRectToDevice(&device, display.window);
    fillWindowDevice(device, index);
}

void DisplayClearOffscreen(const Rect* rect) {
    DisplayBeginOffscreenDraw();
    DisplayFillRect(rect, 0);
    DisplayEndOffscreenDraw();
}

void DisplayGetClip(Rect* out) { CanvasGetClip(out, PortGet()); }

std::int16_t DisplaySetClip(const Rect* rect) {
    if (RectIsEmpty(rect)) return 0;
    CanvasSetClip(PortGet(), rect);
    return 1;
}

void DisplayIntersectClip(const Rect* rect) {
    Rect clip{};
    DisplayGetClip(&clip);
    RectIntersect(&clip, &clip, rect);
    DisplaySetClip(&clip);
}

// The window canvas is clipped to the picture (its bounds) once activated; the margins lie outside, so
// the clip opens to the whole window while they are painted.
void DisplayPaintMargins(const Rect* picture, std::int16_t fillPicture) {
    if (!display.window) return;
    Rect clip{};
    CanvasGetClip(&clip, display.window);
    Rect edges{};
    CanvasGetDeviceRect(&edges, display.window);
    CanvasSetClip(display.window, &edges);
    CanvasRectToDevice(&edges, display.window);
    Rect inner = picture ? *picture : display.screen;
    CanvasRectToDevice(&inner, display.window);
    const Rect strips[] = {
        {edges.left, edges.top, edges.right, inner.top},
        {edges.left, inner.bottom, edges.right, edges.bottom},
        {edges.left, inner.top, inner.left, inner.bottom},
        {inner.right, inner.top, edges.right, inner.bottom},
    };
    for (const Rect& strip : strips) fillWindowDevice(strip, 0);
    if (fillPicture) fillWindowDevice(inner, 0);
    CanvasSetClip(display.window, &clip);
}

void DisplayInvalidateWindowRect(const Rect* rect) {
    if (!display.window || !display.offscreen) return;
    Rect bounds{};
    CanvasGetBounds(&bounds, display.window);
    Rect part{};
    if (RectIntersect(&part, rect ? rect : &bounds, &bounds)) UpdateInvalRect(&part);
}

void DisplayCopyToWindow(const Rect* rect) {
    if (!display.window || !display.offscreen) return;
    Rect part{};
    if (!RectIntersect(&part, rect ? rect : &display.screen, &display.screen)) return;
    CanvasCopy(display.window, part.left, part.top, display.offscreen, &part);
    if (CaretIsShown()) CaretDraw();
}
