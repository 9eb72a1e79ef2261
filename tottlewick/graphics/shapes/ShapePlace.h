// Where a shape's frame and packed image land when it is placed at a point with a mirror mode. Plain
// arithmetic, no system calls.
#pragma once

#include <cstdint>

#include "Rect.h"
#include "XpkFormat.h"

// The mirror mode is the low two bits of a shape operation's flags. Mirroring is horizontal only:
//
//   mode  frame left                               image left
//   0     x - hot x                                x - hot x + image x
//   1     x + hot x - frame width + 1              x + hot x - (image x + image width) + 1
//   2     x - hot x + 2 image x + image width      x - hot x + image x
//           - frame width
//   3     x - hot x                                x - hot x + frame width - image x - image width
//
// In every mode the frame's top is y - hot y and the image's top y - hot y + image y.
constexpr std::uint16_t kShapeMirrorMask = 3;

inline bool shapeMirrored(std::uint16_t flags) { return (flags & kShapeMirrorMask) != 0; }

void shapeFrameRect(Rect* out, const ShapeDesc& desc, std::int16_t x, std::int16_t y, std::uint16_t flags);
void shapeImageRect(Rect* out, const ShapeDesc& desc, std::int16_t x, std::int16_t y, std::uint16_t flags);
