// Writes NFNT bitmap font resources of either byte order from glyph pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ByteReader.h"

struct NfntGlyph {
    std::uint8_t code;
    std::uint8_t offset;
    std::uint8_t advance;
    // Rows top first, all of one width: '#' is ink, any other character none.
    std::vector<std::string> image;
};

struct NfntFont {
    ByteOrder order = ByteOrder::big;
    std::int16_t firstChar = 0;
    std::int16_t lastChar = 127;
    std::int16_t kernMax = 0;
    std::int16_t ascent = 0;
    std::int16_t descent = 0;
    std::int16_t leading = 0;
    // Strike rows; 0 means ascent + descent.
    std::int16_t strikeRows = 0;
    std::vector<NfntGlyph> glyphs;
};

// The font record, the strike (glyph images side by side in code order, rows padded to 16-bit
// words), then the location and offset/width tables, lastChar - firstChar + 3 entries each, indexed by
// the character code; codes without a glyph get FF FF and an empty image. The fontType word is 0x9000,
// so a big-endian font starts 90 00 and a little-endian one 00 90.
std::string writeNfnt(const NfntFont& font);
