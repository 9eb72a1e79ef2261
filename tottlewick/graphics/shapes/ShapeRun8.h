// The 0xC002 family: coded 8-bit runs with repeat blocks, drawn plain or mirrored, clipped or not, hit
// tested, compared with a canvas's pixels and drawn through a mask. Plain memory, no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Rect.h"

// One continuous stream for the whole image, starting at its top-left pixel. Each operation is a byte:
//
//    7      6   5    4   3   2   1   0
//   +------+-------+-------------------+
//   | next | kind  | count             |   count 0: the count is the next two bytes, big-endian
//   | row  |       |                   |
//   +------+-------+-------------------+
//
//   next row: before acting, move to the next row and back to the image's left edge
//   kind 1 1: literal, count pixel bytes follow
//        1 0: fill, one pixel byte follows, written count times; count 1 ends the shape (no byte)
//        0 1: skip count pixels
//        0 0: count >= 2 opens a block whose operations run count times; count 1 closes the innermost
constexpr int kRun8MaxBlocks = 32;

// The 8-bit mask of a masked draw: mask pixel (i, j) pairs with destination pixel (clip left + i,
// clip top + j).
struct ShapeMask {
    const std::uint8_t* base;
    std::int32_t step;
    std::int16_t width;
    std::int16_t height;
};

// Draws into an 8-bit destination (other depths: nothing) inside the clip, which lies inside the image
// and the destination. The stream is read up to `size` bytes at most.
void ShapeDrawRun8(void* base, std::int32_t step, std::uint16_t depth, const Rect* clip, const Rect* image,
                   const std::uint8_t* data, std::size_t size, std::int16_t mirrored);
// 1 when a literal or fill pixel lies inside the test rectangle.
std::int16_t ShapeHitRun8(const Rect* test, const Rect* image, const std::uint8_t* data, std::size_t size,
                          std::int16_t mirrored);
// Walks the literal and fill pixels unmirrored from the image's top-left over the 8-bit pixels of `area`
// (the whole destination) and counts those equal to the byte below them as matches and every other one,
// including those outside the area, as mismatches. The counters are added to.
void ShapeCompareRun8(const void* base, std::int32_t step, const Rect* area, const Rect* image,
                      const std::uint8_t* data, std::size_t size, std::uint32_t* matches, std::uint32_t* mismatches);
// Draws unmirrored inside the clip, writing a pixel only where its mask byte is non-zero; pixels past
// the mask's width or height are neither written nor paired.
void ShapeDrawMaskedRun8(void* base, std::int32_t step, const Rect* clip, const Rect* image, const std::uint8_t* data,
                         std::size_t size, const ShapeMask& mask);
