// The NFNT bitmap font resource read without GDI: the font record, the glyph location and
// offset/width tables, the strike rows, and the metrics that follow from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "OMRect.h"

enum class NFNTStatus {
    built,
    // No data was read: the stream was not in whole mode.
    notRead,
    // Shorter than the 26-byte font record.
    truncated,
    // A table or the strike lies outside the data, or a count or size is below 0.
    damaged,
};

// The font record: thirteen 16-bit words at the start of the resource.
//
//   0 fontType | 2 firstChar | 4 lastChar | 6 widMax | 8 kernMax | 10 nDescent | 12 fRectWidth
//   14 fRectHeight | 16 owTLoc | 18 ascent | 20 descent | 22 leading | 24 rowWords
//   26: strike, fRectHeight rows of rowWords x 2 bytes, top row first, bit 7 leftmost, set bit = ink
//   16 + owTLoc x 2 - n: location table, n = (lastChar - firstChar + 3) x 2 bytes, x of each image
//   16 + owTLoc x 2: offset/width table, n bytes, per code [image offset, advance]; FF FF = missing
//
// The words are big-endian unless bit 7 of byte 1 is set, which marks data already little-endian. Both
// tables are indexed by the character code itself.
struct NFNTHeader {
    std::int16_t fontType;
    std::int16_t firstChar;
    std::int16_t lastChar;
    std::int16_t widMax;
    std::int16_t kernMax;
    std::int16_t nDescent;
    std::int16_t fRectWidth;
    std::int16_t fRectHeight;
    std::int16_t owTLoc;
    std::int16_t ascent;
    std::int16_t descent;
    std::int16_t leading;
    std::int16_t rowWords;
};

inline constexpr std::size_t kNFNTHeaderSize = 26;

// One character as drawn: its image offset from the pen (before kernMax), advance, and the columns of
// its image in the strike. A code without a glyph of its own is measured and drawn as code
// (lastChar - 1) modulo 256; when that has none either, the glyph is empty.
struct NFNTGlyph {
    std::uint8_t offset = 0;
    std::uint8_t advance = 0;
    std::int32_t imageX = 0;
    std::int32_t imageWidth = 0;
};

class NFNTData {
public:
    // Every read is bounded by `size`; a refused font keeps nothing.
    [[nodiscard]] NFNTStatus parse(const std::uint8_t* data, std::size_t size);

    NFNTGlyph glyph(unsigned char code) const;
    // The sum of the advances.
    std::int32_t textWidth(const char* text) const;
    // From -ascent to descent; horizontally from the first glyph's image to the last one's right edge,
    // relative to the pen; 0 wide for an empty text.
    OMRect textBounds(const char* text) const;
    std::int32_t strikeWidth() const { return header.rowWords * 16; }
    std::size_t rowBytes() const { return static_cast<std::size_t>(header.rowWords) * 2; }

    NFNTHeader header{};
    bool bigEndian = false;
    std::vector<std::uint16_t> locationTable;
    // Two bytes per code, in stored order.
    std::vector<std::uint8_t> owTable;
    // The strike rows, top row first.
    std::vector<std::uint8_t> strike;

private:
    // The code's own glyph, or false when it has none (outside the tables, or marked missing).
    bool ownGlyph(unsigned code, NFNTGlyph& out) const;
};
