// The scene background's drawing.
#include "AOBackground.h"

std::int32_t AOBackground::draw(OMCanvas* target, const OMRegion* area, OMRect*) {
    if (!target || !area || !area->handle()) return 0;
    const OMRect box = area->bounds();
    target->copyFrom(*picture_, box.left, box.top, box.right - box.left, box.bottom - box.top, box.left, box.top,
                     kCopyRop, area);
    return 0;
}
