// Builds a one-frame ASEQ from 8-bit pixels, the form in which the program saves a picture as an animation.
#pragma once

#include <cstdint>
#include <vector>

#include "OMPixelCopy.h"

// The 52 bytes before the frame record, little-endian:
//   S 1 | F 1 | rate 8 | flag 0 | 0 0 0 0 | offset 0 | placement 0 0 0 0 | N 4 |
//   (0,0,-4,0) hold | (0,0,0,0) frame 0 | (0,0,-2,0) loop | (0,0,-1,0) end
inline constexpr std::size_t kEncodedPreambleSize = 52;

// The area of width x height pixels whose top-left pixel is at pixels.pixels, as a complete ASEQ; rows are
// encoded with `transparent` as the skip colour. Empty for pixels deeper than 8 bits.
std::vector<std::uint8_t> encodeImage(const OMPixelView& pixels, std::int32_t width, std::int32_t height,
                                      std::uint8_t transparent);
