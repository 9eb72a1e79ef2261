// Drag ranges: the limits moved by the grab's offset from each edge of the frame.
#include "SpriteDragRange.h"

#include <cstdint>

Rect spriteDragRange(const Rect& limits, const Rect& frame, Point mouse) {
    return {std::int16_t(limits.left + (mouse.h - frame.left)), std::int16_t(limits.top + (mouse.v - frame.top)),
            std::int16_t(limits.right + (mouse.h - frame.right)),
            std::int16_t(limits.bottom + (mouse.v - frame.bottom))};
}

Point spriteDragClamp(const Rect& range, Point point) {
    if (point.h < range.left) point.h = range.left;
    if (point.v < range.top) point.v = range.top;
    if (point.h >= range.right) point.h = range.right;
    if (point.v >= range.bottom) point.v = range.bottom;
    return point;
}
