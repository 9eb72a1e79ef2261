// The decoder family of a bank's format word, for drawing and for hit tests. Plain memory, no system
// calls.
#pragma once

#include <cstdint>

#include "Rect.h"
#include "XpkFormat.h"

// A locked destination: base addresses pixel (0, 0), base + y * step row y.
struct ShapeTarget {
    void* base;
    std::int32_t step;
    std::uint16_t depth;
};

// Draws the shape inside the clip (pixel coordinates, inside the image and the destination) when the
// destination's depth suits the bank's format; the blend table serves 0xB001 and 0xB002.
void shapeDrawDecoded(const XpkBank& bank, const XpkShape& shape, const ShapeTarget& target, const Rect& clip,
                      const Rect& image, const std::uint8_t* blend, bool mirrored);
// 1 when a non-skipped pixel of the shape placed at `image` lies inside the test rectangle.
std::int16_t shapeHitDecoded(const XpkBank& bank, const XpkShape& shape, const Rect& test, const Rect& image,
                             bool mirrored);
