// Changed bounds by whole-row comparison first, then only the columns outside the box found so far;
// copies clipped once per call, not per pixel. Spans are tested with the C library's memcmp, and only a
// span that differs is scanned, a 32-bit word a step (the i686 build has no SSE2).
#include "FrameCopy.h"

#include <algorithm>
#include <cstring>

namespace {

const std::uint8_t* rowOf(const std::uint8_t* base, std::ptrdiff_t stride, std::uint32_t y) {
    return base + std::ptrdiff_t(y) * stride;
}

std::uint32_t word(const std::uint8_t* p) {
    std::uint32_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// The first column of [from, to) where the rows differ; `to` when none does.
std::uint32_t firstDifference(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t from, std::uint32_t to) {
    while (from + 4 <= to && word(a + from) == word(b + from)) from += 4;
    while (from < to && a[from] == b[from]) ++from;
    return from;
}

// One past the last column of [from, to) where the rows differ; `from` when none does.
std::uint32_t lastDifference(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t from, std::uint32_t to) {
    while (to >= from + 4 && word(a + to - 4) == word(b + to - 4)) to -= 4;
    while (to > from && a[to - 1] == b[to - 1]) --to;
    return to;
}

}  // namespace

// A row that differs widens the box only by what lies outside it: its columns left of the box and right of it.
PixelRect changedBounds(const std::uint8_t* before, std::ptrdiff_t beforeStride, const std::uint8_t* after,
                        std::ptrdiff_t afterStride, std::uint32_t width, std::uint32_t height) {
    std::int64_t top = -1, bottom = -1;
    std::uint32_t left = width, right = 0;  // columns [left, right)
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* a = rowOf(before, beforeStride, y);
        const std::uint8_t* b = rowOf(after, afterStride, y);
        if (std::memcmp(a, b, width) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        if (left > 0 && std::memcmp(a, b, left) != 0) left = firstDifference(a, b, 0, left);
        const std::uint32_t beyond = std::max(right, left);
        if (std::memcmp(a + beyond, b + beyond, width - beyond) != 0) right = lastDifference(a, b, beyond, width);
    }
    if (top < 0) return {};
    return PixelRect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                     static_cast<std::int32_t>(right - left), static_cast<std::int32_t>(bottom - top + 1)};
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
