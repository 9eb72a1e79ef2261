// Writes ASEQ animations and RRGB colour tables in either byte order, with frames run-length encoded
// from pixel grids (or given as raw runs, for damaged data).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ByteReader.h"

struct AseqPictureEntry {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t frame = 0;
    std::int16_t param = 0;
};

struct AseqPictureFrame {
    std::int16_t width = 0;
    std::int16_t height = 0;
    // width x height palette indices, top row first; encoded with the picture's transparent index.
    std::vector<std::uint8_t> pixels;
    // When not empty, written in place of the encoded pixels.
    std::string rawRuns;
};

struct AseqPicture {
    std::uint8_t frameRate = 8;
    std::uint8_t placement[4] = {0, 0, 0, 0};
    std::uint8_t transparent = 0;
    std::vector<std::vector<AseqPictureEntry>> sequences;
    std::vector<AseqPictureFrame> frames;
};

// The frame offsets run from the frame data area in frame order; each sequence's count is its number of
// entries; every sequence gets a placement record (the first one's bytes, the others zero). Big-endian
// files carry the swap flag 1 in byte 5.
std::string writeAseq(const AseqPicture& picture, ByteOrder order);

// One frame's rows: a maximal stretch of the transparent index becomes 0x00 n pieces of at most 250; a
// stretch of three or more equal pixels that starts at least four pixels before the row's end becomes
// 0xFF colour n pieces of at most 250; what lies between becomes count-prefixed literal pieces of at most
// 250.
std::string encodeAseqRows(const AseqPictureFrame& frame, std::uint8_t transparent);

// 256 entries of red, green and blue as big-endian 16-bit values: the colour's byte, then `low`.
std::string writeRrgb(const std::vector<std::uint32_t>& colors, std::uint8_t low = 0);
