// The mirror modes' placement of the frame and the image.
#include "ShapePlace.h"

namespace {

void place(Rect* out, int left, int top, int width, int height) {
    RectSet(out, static_cast<std::int16_t>(left), static_cast<std::int16_t>(top),
            static_cast<std::int16_t>(left + width), static_cast<std::int16_t>(top + height));
}

}  // namespace

void shapeFrameRect(Rect* out, const ShapeDesc& d, std::int16_t x, std::int16_t y, std::uint16_t flags) {
    int left = x - d.hotX;
    if ((flags & kShapeMirrorMask) == 1) left = x + d.hotX - d.frameWidth + 1;
    if ((flags & kShapeMirrorMask) == 2) left = x - d.hotX + 2 * d.imageX + d.imageWidth - d.frameWidth;
    place(out, left, y - d.hotY, d.frameWidth, d.frameHeight);
}

void shapeImageRect(Rect* out, const ShapeDesc& d, std::int16_t x, std::int16_t y, std::uint16_t flags) {
    int left = x - d.hotX + d.imageX;
    if ((flags & kShapeMirrorMask) == 1) left = x + d.hotX - (d.imageX + d.imageWidth) + 1;
    if ((flags & kShapeMirrorMask) == 3) left = x - d.hotX + d.frameWidth - d.imageX - d.imageWidth;
    place(out, left, y - d.hotY + d.imageY, d.imageWidth, d.imageHeight);
}
