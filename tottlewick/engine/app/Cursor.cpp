// The cursor service over the system pointer.
#include "Cursor.h"

#include "AppGlobals.h"
#include "DisplayWindow.h"
#include "Port.h"

namespace {

constexpr std::uint16_t kSystemCursorFirst = 32512;
constexpr std::uint16_t kSystemCursorLast = 32515;

struct CursorState {
    HCURSOR arrow = nullptr;
    HCURSOR wait = nullptr;
    HCURSOR last = nullptr;
    std::int16_t hideCount = 0;
};

CursorState cursor;

}  // namespace

std::int16_t CursorInit() {
    cursor.arrow = CursorLoad(32512);
    cursor.wait = CursorLoad(32514);
    cursor.hideCount = 0;
    return 1;
}

void CursorShutdown() {
    while (cursor.hideCount < 0) CursorShow(1);
    while (cursor.hideCount > 0) CursorShow(0);
}

HCURSOR CursorSetArrow() { return CursorSet(cursor.arrow); }

HCURSOR CursorSetWait() { return CursorSet(cursor.wait); }

HCURSOR CursorSet(HCURSOR next) {
    const HCURSOR previous = cursor.last;
    if (next != previous) SetCursor(next);
    cursor.last = next;
    return previous;
}

void CursorRestore() { SetCursor(cursor.last); }

HCURSOR CursorLoad(std::uint16_t id) {
    const bool system = id >= kSystemCursorFirst && id <= kSystemCursorLast;
    return LoadCursorA(system ? nullptr : AppGetInstance(), MAKEINTRESOURCEA(id));
}

void CursorGetLocation(Point* point) {
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(DisplayGetWindow(), &at);
    PointSet(point, static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y));
    CanvasFromDevice(point, PortGet());
}

void CursorSetLocation(const Point* point) {
    Point device = *point;
    CanvasToDevice(&device, PortGet());
    POINT at{device.h, device.v};
    ClientToScreen(DisplayGetWindow(), &at);
    SetCursorPos(at.x, at.y);
}

std::int16_t CursorShow(std::uint16_t show) {
    cursor.hideCount = static_cast<std::int16_t>(cursor.hideCount + (show ? 1 : -1));
    ShowCursor(show ? TRUE : FALSE);
    return cursor.hideCount;
}

std::int16_t CursorSetVisible(std::uint16_t visible) {
    if (visible && cursor.hideCount < 0) CursorShow(1);
    if (!visible && cursor.hideCount >= 0) CursorShow(0);
    return visible ? 1 : 0;
}

std::int16_t CursorIsVisible() { return cursor.hideCount >= 0 ? 1 : 0; }

std::int16_t CursorGetCount() { return cursor.hideCount; }
