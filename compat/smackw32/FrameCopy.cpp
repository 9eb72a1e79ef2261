// Changed bounds by whole-row comparison first, then only the columns outside the box found so far;
// copies clipped once per call, not per pixel. Spans are tested 64 bytes a step with SSE2 where the
// processor has it (the i686 build does not assume it; the C library's memcmp otherwise), and only a span
// that differs is scanned, a 32-bit word a step.
#include "FrameCopy.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>

namespace {

// Entry points compiled for SSE2, with the stack aligned for its spills (32-bit Windows keeps 4 bytes).
#define SSE2_ENTRY [[gnu::target("sse2"), gnu::force_align_arg_pointer]]

[[gnu::target("sse2"), gnu::always_inline]] inline __m128i equal16(const std::uint8_t* a, const std::uint8_t* b) {
    return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a)),
                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)));
}

[[gnu::target("sse2"), gnu::always_inline]] inline __m128i equal64(const std::uint8_t* a, const std::uint8_t* b) {
    return _mm_and_si128(_mm_and_si128(equal16(a, b), equal16(a + 16, b + 16)),
                         _mm_and_si128(equal16(a + 32, b + 32), equal16(a + 48, b + 48)));
}

// The comparison of every row is most of a frame step's own work: 64 bytes a step, one test each.
SSE2_ENTRY bool sameSse2(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t count) {
    std::uint32_t i = 0;
    for (; i + 64 <= count; i += 64) {
        if (_mm_movemask_epi8(equal64(a + i, b + i)) != 0xFFFF) return false;
    }
    for (; i + 16 <= count; i += 16) {
        if (_mm_movemask_epi8(equal16(a + i, b + i)) != 0xFFFF) return false;
    }
    return std::memcmp(a + i, b + i, count - i) == 0;
}

// A frame step copies the changed box twice, row by row: short rows, where a call to the C library's
// memcpy costs more than the copy.
SSE2_ENTRY void copySse2(std::uint8_t* to, const std::uint8_t* from, std::size_t count) {
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), bytes);
    }
    for (; i < count; ++i) to[i] = from[i];
}

bool hasSse2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("sse2") != 0;
    }();
    return has;
}

bool same(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t count) {
    return hasSse2() ? sameSse2(a, b, count) : std::memcmp(a, b, count) == 0;
}

void copy(std::uint8_t* to, const std::uint8_t* from, std::size_t count) {
    if (hasSse2()) {
        copySse2(to, from, count);
    } else {
        std::memcpy(to, from, count);
    }
}

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
        if (same(a, b, width)) continue;
        if (top < 0) top = y;
        bottom = y;
        if (left > 0 && !same(a, b, left)) left = firstDifference(a, b, 0, left);
        const std::uint32_t beyond = std::max(right, left);
        if (!same(a + beyond, b + beyond, width - beyond)) right = lastDifference(a, b, beyond, width);
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
        copy(target.pixels + row * std::int64_t(target.pitch) + target.left + x0, frame + y * stride + x0,
             static_cast<std::size_t>(x1 - x0));
    }
}
