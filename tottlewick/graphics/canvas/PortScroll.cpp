// Port scrolling for memory canvases and device contexts.
#include "PortScroll.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The moved rectangle in logical coordinates: rect clipped to the port's bounds, empty when the amount
// is 0 or the port is gone.
bool movedArea(Canvas port, const Rect* rect, int amount, Rect* area) {
    Rect bounds{};
    CanvasGetBounds(&bounds, port);
    return amount && rect && RectIntersect(area, rect, &bounds);
}

// The strip of area on the side the pixels moved away from.
Rect uncoveredStrip(const Rect& area, int dx, int dy) {
    Rect strip = area;
    if (dy < 0) strip.top = static_cast<std::int16_t>(std::max<int>(area.top, area.bottom + dy));
    if (dy > 0) strip.bottom = static_cast<std::int16_t>(std::min<int>(area.bottom, area.top + dy));
    if (dx < 0) strip.left = static_cast<std::int16_t>(std::max<int>(area.left, area.right + dx));
    if (dx > 0) strip.right = static_cast<std::int16_t>(std::min<int>(area.right, area.left + dx));
    return strip;
}

// Moves the pixels of a memory canvas's device rectangle; false when the canvas has no pixels of whole
// bytes (1 and 4 bits: the device context scrolls those).
bool movePixels(Canvas port, Rect device, int dx, int dy) {
    void* base = nullptr;
    std::int32_t step = 0;
    std::uint16_t depth = 0;
    Rect all{};
    if (!CanvasLockPixels(port, &base, &step, &depth, &all)) return false;
    if (depth < 8) {
        CanvasUnlockPixels(port);
        return false;
    }
    const int bytes = (depth + 7) / 8;
    Rect inside{};
    if (RectIntersect(&inside, &device, &all)) {
        const int width = inside.right - inside.left, height = inside.bottom - inside.top;
        if (std::abs(dx) < width && std::abs(dy) < height) {
            const int rows = height - std::abs(dy), columns = width - std::abs(dx);
            auto* pixels = static_cast<std::uint8_t*>(base);
            for (int i = 0; i < rows; ++i) {
                // Rows are copied away from the side they move towards, so none is overwritten unread.
                const int target = dy > 0 ? inside.bottom - 1 - i : inside.top + i;
                std::memmove(pixels + target * step + (inside.left + std::max(dx, 0)) * bytes,
                             pixels + (target - dy) * step + (inside.left + std::max(-dx, 0)) * bytes,
                             std::size_t(columns) * bytes);
            }
        }
    }
    CanvasUnlockPixels(port);
    return true;
}

void scroll(Canvas port, Rect* uncovered, const Rect* rect, int dx, int dy) {
    Rect area{};
    if (uncovered) *uncovered = Rect{};
    if (!movedArea(port, rect, dx | dy, &area)) return;
    Rect device = area;
    CanvasRectToDevice(&device, port);
    if (CanvasGetKind(port) != kCanvasMemory || !movePixels(port, device, dx, dy)) {
        const RECT clip{device.left, device.top, device.right, device.bottom};
        ScrollDC(CanvasGetDC(port), dx, dy, &clip, &clip, nullptr, nullptr);
    }
    if (uncovered) *uncovered = uncoveredStrip(area, dx, dy);
}

}  // namespace

void PortScrollVertical(Canvas port, Rect* uncovered, const Rect* rect, std::int16_t dy) {
    scroll(port, uncovered, rect, 0, dy);
}

void PortScrollHorizontal(Canvas port, Rect* uncovered, const Rect* rect, std::int16_t dx) {
    scroll(port, uncovered, rect, dx, 0);
}

void PortScroll(Canvas port, Rect* uncovered, const Rect* rect, std::int16_t dx, std::int16_t dy) {
    Rect vertical{}, horizontal{};
    PortScrollHorizontal(port, &horizontal, rect, dx);
    PortScrollVertical(port, &vertical, rect, dy);
    if (!uncovered) return;
    if (RectIsEmpty(&horizontal)) *uncovered = vertical;
    else if (RectIsEmpty(&vertical)) *uncovered = horizontal;
    else RectUnion(uncovered, &horizontal, &vertical);
}
