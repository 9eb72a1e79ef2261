// The 0xB002 family: 8-bit indices into a map of 15-bit colours, drawn into 15- and 16-bit destinations
// plain or mirrored, clipped or not, and hit tested. Plain memory, no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Rect.h"

// Image-height rows, each a native u16 count of the row's bytes, then that many bytes of operations.
// Each operation is a byte, x = op & 0x3F:
//
//    7   6    5 ... 0
//   +-------+--------+
//   | kind  | x      |   0 0: skip x + 1 pixels
//   +-------+--------+   0 1: literal, x + 1 index bytes follow
//                        1 0: fill, one index byte follows, x + 2 pixels
//                        1 1: one index byte follows, blended into one pixel at weight op & 0x1F

// Draws into a 15- or 16-bit destination (other depths: nothing) inside the clip, which lies inside the
// image and the destination. `map` holds 256 15-bit colours; the stream is read up to `size` bytes.
void ShapeDrawMapped16(void* base, std::int32_t step, std::uint16_t depth, const Rect* clip, const Rect* image,
                       const std::uint8_t* blend, const std::uint16_t* map, const std::uint8_t* data, std::size_t size,
                       std::int16_t mirrored);
// 1 when a literal, fill or blend pixel lies inside the test rectangle.
std::int16_t ShapeHitMapped16(const Rect* test, const Rect* image, const std::uint8_t* data, std::size_t size,
                              std::int16_t mirrored);
