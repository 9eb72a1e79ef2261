// NFNT bitmap fonts of either byte order: the record, tables and strike read, then every character
// measured. A glyph's image never reaches past the strike.
#include <string>
#include <vector>

#include "FuzzParts.h"
#include "NFNTData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    NFNTData font;
    if (font.parse(bytes.data(), bytes.size()) != NFNTStatus::built) return 0;
    FUZZ_CHECK(font.strike.size() == font.rowBytes() * static_cast<std::size_t>(font.header.fRectHeight));
    std::string text;
    for (int code = 0; code < 256; ++code) {
        const NFNTGlyph glyph = font.glyph(static_cast<unsigned char>(code));
        FUZZ_CHECK(glyph.imageWidth >= 0);
        FUZZ_CHECK(glyph.imageWidth == 0 ||
                   (glyph.imageX >= 0 && glyph.imageX + glyph.imageWidth <= font.strikeWidth()));
        if (code > 0) text += static_cast<char>(code);
    }
    font.textWidth(text.c_str());
    font.textBounds(text.c_str());
    return 0;
}
