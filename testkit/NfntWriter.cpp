// NFNT writer: strike layout and the two tables.
#include "NfntWriter.h"

#include "ByteWriter.h"

namespace {

const NfntGlyph* glyphOf(const NfntFont& font, std::size_t code) {
    for (const NfntGlyph& glyph : font.glyphs) {
        if (glyph.code == code) return &glyph;
    }
    return nullptr;
}

std::size_t imageWidth(const NfntGlyph* glyph) {
    return glyph && !glyph->image.empty() ? glyph->image[0].size() : 0;
}

}  // namespace

std::string writeNfnt(const NfntFont& font) {
    const std::size_t count = static_cast<std::size_t>(font.lastChar - font.firstChar + 3);
    const std::int16_t rows = font.strikeRows ? font.strikeRows : static_cast<std::int16_t>(font.ascent + font.descent);
    std::vector<std::uint16_t> locations(count);
    std::size_t width = 0;
    for (std::size_t code = 0; code < count; ++code) {
        locations[code] = static_cast<std::uint16_t>(width);
        width += imageWidth(glyphOf(font, code));
    }
    const std::size_t rowWords = (width + 15) / 16;
    std::vector<std::uint8_t> strike(rowWords * 2 * rows, 0);
    for (std::size_t code = 0; code < count; ++code) {
        const NfntGlyph* glyph = glyphOf(font, code);
        for (std::size_t row = 0; glyph && row < glyph->image.size() && row < static_cast<std::size_t>(rows); ++row) {
            for (std::size_t x = 0; x < glyph->image[row].size(); ++x) {
                const std::size_t column = locations[code] + x;
                if (glyph->image[row][x] == '#') strike[row * rowWords * 2 + column / 8] |= 0x80 >> (column % 8);
            }
        }
    }
    const std::size_t owStart = 26 + strike.size() + count * 2;
    ByteWriter out(font.order);
    for (std::int16_t word : {std::int16_t(-0x7000), font.firstChar, font.lastChar, std::int16_t(0), font.kernMax,
                              std::int16_t(-font.descent), std::int16_t(0), rows, std::int16_t((owStart - 16) / 2),
                              font.ascent, font.descent, font.leading, std::int16_t(rowWords)}) {
        out.u16(static_cast<std::uint16_t>(word));
    }
    out.span(strike.data(), strike.size());
    for (std::uint16_t location : locations) out.u16(location);
    for (std::size_t code = 0; code < count; ++code) {
        const NfntGlyph* glyph = glyphOf(font, code);
        out.u8(glyph ? glyph->offset : 0xFF);
        out.u8(glyph ? glyph->advance : 0xFF);
    }
    return out.str();
}
