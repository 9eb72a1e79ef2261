// The 0xC001 family: plain 8-bit runs, drawn plain or mirrored, clipped or not, and hit tested. Plain
// memory, no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Rect.h"

// Image-height rows, each exactly image-width pixels, with no row marks and no end mark. Each operation
// is a byte covering k = (op & 0x7F) + 1 pixels:
//
//    7      6 ... 0
//   +------+--------+
//   | skip | k - 1  |   skip set: k transparent pixels; clear: k pixel bytes follow
//   +------+--------+

// Draws into an 8-bit destination (other depths: nothing) inside the clip, which lies inside the image
// and the destination. The stream is read up to `size` bytes at most.
void ShapeDrawPlain8(void* base, std::int32_t step, std::uint16_t depth, const Rect* clip, const Rect* image,
                     const std::uint8_t* data, std::size_t size, std::int16_t mirrored);
// 1 when a copied pixel lies inside the test rectangle.
std::int16_t ShapeHitPlain8(const Rect* test, const Rect* image, const std::uint8_t* data, std::size_t size,
                            std::int16_t mirrored);
