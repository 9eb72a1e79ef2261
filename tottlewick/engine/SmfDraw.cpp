// Copying an SMF player's frame into the current port.
#include <algorithm>
#include <cstring>

#include "Canvas.h"
#include "Port.h"
#include "SmfPlayerRecord.h"

namespace {

Rect intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

}  // namespace

void SmfDrawFrame(SmfPlayer player, const Rect* clip) {
    SmfAccess r(player);
    const Canvas port = PortGet();
    if (!r || !r->frame || r->film.depth != 8 || CanvasGetDepth(port) != 8) return;
    const Rect frame = smfMovedRect(*r);
    Rect bounds;
    CanvasGetBounds(&bounds, port);
    Rect area = intersect(frame, bounds);
    if (clip) area = intersect(area, *clip);
    if (area.right <= area.left || area.bottom <= area.top) return;
    void* base = nullptr;
    std::int32_t step = 0;
    std::uint16_t depth = 0;
    Rect device;
    if (!CanvasLockPixels(port, &base, &step, &depth, &device)) return;
    const auto* pixels = static_cast<const std::uint8_t*>(MemHandleLock(r->frame));
    // Frame pixel (x - position.h, y - position.v) goes to port point (x, y); rows of the rectangle that
    // the frame buffer does not hold are skipped.
    for (int y = area.top; y < area.bottom; ++y) {
        const int fy = y - r->position.v;
        const int fx0 = std::max<int>(area.left - r->position.h, 0);
        const int fx1 = std::min<int>(area.right - r->position.h, r->film.width);
        if (!pixels || fy < 0 || fy >= r->film.height || fx0 >= fx1) continue;
        Point at{std::int16_t(fx0 + r->position.h), std::int16_t(y)};
        CanvasToDevice(&at, port);
        auto* out = static_cast<std::uint8_t*>(base) + std::ptrdiff_t(at.v) * step + at.h;
        std::memcpy(out, pixels + std::size_t(fy) * r->film.width + fx0, std::size_t(fx1 - fx0));
    }
    if (pixels) MemHandleUnlock(r->frame);
    CanvasUnlockPixels(port);
}
