// The 0xB001 family: direct 15-bit colour words with blending, drawn into 15- and 16-bit destinations
// plain or mirrored, clipped or not, and hit tested. Plain memory, no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Rect.h"

// Image-height rows, each a native u16 count of the row's words, then that many native u16 words:
//
//    15        14 ... 10     9 ... 0
//   +---------+------------+----------+
//   | 1       | weight a   | skip     |   control: skip pixels; the next colour word is blended at a
//   +---------+------------+----------+
//   | 0       | 15-bit colour         |   one pixel, stored as it is unless a control word came since
//   +---------+-----------------------+   the previous colour word (the pending weight outlives rows)

// Draws into a 15- or 16-bit destination (other depths: nothing) inside the clip, which lies inside the
// image and the destination. The stream is read up to `size` bytes at most.
void ShapeDrawDirect16(void* base, std::int32_t step, std::uint16_t depth, const Rect* clip, const Rect* image,
                       const std::uint8_t* blend, const std::uint8_t* data, std::size_t size, std::int16_t mirrored);
// 1 when a colour word's pixel lies inside the test rectangle.
std::int16_t ShapeHitDirect16(const Rect* test, const Rect* image, const std::uint8_t* data, std::size_t size,
                              std::int16_t mirrored);
