// Rectangle copies between pixel buffers: the clipping of a source and destination rectangle pair and
// the plain row copy that memory canvases of equal depth use instead of a GDI call.
#pragma once

#include <cstdint>

#include "OMRect.h"

// A view of top-down pixel rows: row r starts at pixels + r * pitch.
struct OMPixelView {
    std::uint8_t* pixels;
    std::int32_t pitch;
    std::int32_t depth;
};

// Clips `a` to `bounds`; `b` (of a's size, following a) moves and shrinks with it. When nothing of `a`
// is left both become the canonical empty rectangle.
void clipRectPair(const OMRect& bounds, OMRect& a, OMRect& b);

// Copies the rectangle `from` of `source` to the top-left corner `to` of `destination`: each row
// (from.right - from.left) * depth / 8 bytes. Both rectangles lie inside their buffers.
void copyPixelRows(const OMPixelView& source, const OMRect& from, const OMPixelView& destination, const OMRect& to);
