// Reading and moving the system mouse through the window canvas.
#include "KitMouse.h"

#include "Cursor.h"
#include "DisplayCanvas.h"
#include "Port.h"

namespace {

// Runs f with the window canvas as the current port (the current port stays when there is no window).
template <typename F>
void throughWindow(F f) {
    const Canvas window = DisplayGetWindowCanvas();
    if (window) PortPush(window);
    f();
    if (window) PortPop();
}

}  // namespace

Point KitMouseLocation() {
    Point point{};
    throughWindow([&point] { CursorGetLocation(&point); });
    return point;
}

void KitMoveMouse(Point point) {
    throughWindow([&point] { CursorSetLocation(&point); });
}
