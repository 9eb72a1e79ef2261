// The SMF frame codecs: a frame command's data decoded into its rectangle of the player's frame buffer.
// Plain arithmetic on bytes, without Win32.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Rect.h"

// The frame buffer: rows of width x (depth / 8) bytes.
struct SmfFrameTarget {
    std::uint8_t* pixels;
    std::uint16_t width;
    std::uint16_t height;
    std::uint16_t depth;
};

// Decodes rows of (right - left) pixels into the rectangle; rows and columns outside the frame buffer are
// decoded and dropped. Raw codecs copy a row while at least a whole row of data remains; LZSS codecs stop
// when the last row is complete or the data ends. An unknown tag, or one whose pixel size differs from
// the frame's depth, draws nothing.
void SmfDecodeFrame(std::uint32_t tag, const std::uint8_t* data, std::size_t length, const Rect& rect,
                    const SmfFrameTarget& frame);
