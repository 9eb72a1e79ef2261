// Copying an SMF player's frame into the current port.
#include <algorithm>

#include "Canvas.h"
#include "Port.h"
#include "SmfFrameCopy.h"
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
    Rect bounds;
    CanvasGetBounds(&bounds, port);
    Rect area = intersect(smfMovedRect(*r), bounds);
    if (clip) area = intersect(area, *clip);
    if (area.right <= area.left || area.bottom <= area.top) return;
    void* base = nullptr;
    SmfPixelView view{};
    std::uint16_t depth = 0;
    if (!CanvasLockPixels(port, &base, &view.step, &depth, &view.area)) return;
    view.base = static_cast<std::uint8_t*>(base);
    Point shift{0, 0};
    CanvasToDevice(&shift, port);
    const SmfFrameTarget frame{static_cast<std::uint8_t*>(MemHandleLock(r->frame)), r->film.width, r->film.height, 8};
    SmfCopyFrame(frame, r->position, area, shift, view);
    if (frame.pixels) MemHandleUnlock(r->frame);
    CanvasUnlockPixels(port);
}
