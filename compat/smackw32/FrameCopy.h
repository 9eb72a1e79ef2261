// The two pixel jobs of a frame step on plain 8-bit buffers: finding the bounding box of what changed
// between two frames, and copying part of a frame into a caller's buffer without writing outside it.
#pragma once

#include <cstddef>
#include <cstdint>

struct PixelRect {
    std::int32_t x = 0, y = 0, w = 0, h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
};

// A caller's buffer: frame pixel (x, y) lands at column left + x of row top + y, of `height` rows from
// `top` on; with reversed rows the buffer's first row is the lowest.
struct TargetBuffer {
    std::uint8_t* pixels = nullptr;
    std::int32_t left = 0, top = 0;
    std::uint32_t pitch = 0, height = 0;
    bool reversed = false;
};

// The smallest rectangle holding every pixel that differs; empty when the frames are equal.
PixelRect changedBounds(const std::uint8_t* before, std::ptrdiff_t beforeStride, const std::uint8_t* after,
                        std::ptrdiff_t afterStride, std::uint32_t width, std::uint32_t height);
// Copies rect of the frame to the target, leaving out the rows and columns that fall outside it.
void copyToTarget(const std::uint8_t* frame, std::ptrdiff_t stride, const PixelRect& rect, const TargetBuffer& target);
