// Rectangle pair clipping and row copies.
#include "OMPixelCopy.h"

#include <cstring>

void clipRectPair(const OMRect& bounds, OMRect& a, OMRect& b) {
    const OMRect clipped = a & bounds;
    if (clipped == kEmptyRect) {
        a = b = kEmptyRect;
        return;
    }
    b.left += clipped.left - a.left;
    b.top += clipped.top - a.top;
    b.right = b.left + (clipped.right - clipped.left);
    b.bottom = b.top + (clipped.bottom - clipped.top);
    a = clipped;
}

void copyPixelRows(const OMPixelView& source, const OMRect& from, const OMPixelView& destination, const OMRect& to) {
    const std::int32_t bytesPerPixel = source.depth / 8;
    const std::size_t rowBytes = static_cast<std::size_t>(from.right - from.left) * bytesPerPixel;
    const std::uint8_t* in = source.pixels + from.top * source.pitch + from.left * bytesPerPixel;
    std::uint8_t* out = destination.pixels + to.top * destination.pitch + to.left * bytesPerPixel;
    for (std::int32_t row = from.top; row < from.bottom; ++row) {
        std::memcpy(out, in, rowBytes);
        in += source.pitch;
        out += destination.pitch;
    }
}
