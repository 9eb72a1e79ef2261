// Changed bounds by whole-row comparison first, then only the columns outside the box found so far;
// copies clipped once per call, not per pixel.
#include "FrameCopy.h"

#include <algorithm>
#include <cstring>

namespace {

const std::uint8_t* rowOf(const std::uint8_t* base, std::ptrdiff_t stride, std::uint32_t y) {
    return base + std::ptrdiff_t(y) * stride;
}

}  // namespace

PixelRect changedBounds(const std::uint8_t* before, std::ptrdiff_t beforeStride, const std::uint8_t* after,
                        std::ptrdiff_t afterStride, std::uint32_t width, std::uint32_t height) {
    std::int64_t top = -1, bottom = -1, left = width, right = -1;
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* a = rowOf(before, beforeStride, y);
        const std::uint8_t* b = rowOf(after, afterStride, y);
        if (std::memcmp(a, b, width) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        std::int64_t x = 0;
        while (x < left && a[x] == b[x]) ++x;
        left = std::min(left, x);
        x = std::int64_t(width) - 1;
        while (x > right && a[x] == b[x]) --x;
        right = std::max(right, x);
    }
    if (top < 0) return {};
    return PixelRect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                     static_cast<std::int32_t>(right - left + 1), static_cast<std::int32_t>(bottom - top + 1)};
}

void copyToTarget(const std::uint8_t* frame, std::ptrdiff_t stride, const PixelRect& rect, const TargetBuffer& target) {
    if (!target.pixels || rect.empty()) return;
    // Frame columns and rows whose place lies inside the buffer.
    std::int64_t x0 = std::max<std::int64_t>(rect.x, -std::int64_t(target.left));
    std::int64_t x1 = std::min<std::int64_t>(std::int64_t(rect.x) + rect.w, std::int64_t(target.pitch) - target.left);
    std::int64_t y0 = std::max<std::int64_t>(rect.y, -std::int64_t(target.top));
    std::int64_t y1 = std::min<std::int64_t>(std::int64_t(rect.y) + rect.h, target.height);
    if (x0 >= x1 || y0 >= y1) return;
    for (std::int64_t y = y0; y < y1; ++y) {
        std::int64_t row = target.reversed ? std::int64_t(target.height) - 1 - y : target.top + y;
        std::memcpy(target.pixels + row * std::int64_t(target.pitch) + target.left + x0,
                    frame + y * stride + x0, static_cast<std::size_t>(x1 - x0));
    }
}
