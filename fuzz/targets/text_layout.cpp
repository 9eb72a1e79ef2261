// Text layout: random text taken in pieces, each fitted line by line (whole characters or whole words)
// into a random box with a shape font's widths and spacing, as a text box lays it out. Input: u16 box
// width, i8 spacing, u8 flags (bit 0 word wrap), u8 width seed, then the text.
#include <algorithm>
#include <string>

#include "FuzzParts.h"
#include "TextLayout.h"

namespace {

class SeededWidths : public TextAdvances {
public:
    SeededWidths(std::uint8_t seed, int spacing) : seed_(seed), spacing_(spacing) {}
    int advance(std::uint8_t c, std::size_t) const override { return (c * 37 + seed_) % 13 + spacing_; }
    int trim() const override { return spacing_; }

private:
    std::uint8_t seed_;
    int spacing_;
};

// The lines of one piece; every line takes at least one character at the start of a line.
void layPiece(const TextPiece& piece, const SeededWidths& widths, int boxWidth, bool wrap, int& penX) {
    const char* rest = piece.text;
    std::size_t left = piece.count;
    std::size_t lines = 0;
    do {
        const std::size_t fit = textFitChars(widths, rest, left, boxWidth - penX);
        FUZZ_CHECK(fit <= left);
        std::size_t count = wrap ? textFitWord(rest, left, fit, penX) : fit;
        FUZZ_CHECK(count <= fit);
        if (!count && left && penX < 1) count = 1;
        const int drawn = std::min(penX + widths.width(rest, count), boxWidth);
        penX = count == left && piece.end == TextPieceEnd::tab ? textTabStop(drawn, 8) : 0;
        rest += count;
        left -= count;
        if (wrap) {
            const std::size_t blanks = textLeadingBlanks(rest, left);
            rest += blanks;
            left -= blanks;
        }
        FUZZ_CHECK(++lines <= 2 * piece.count + 2);
    } while (left);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const int boxWidth = data[0] | (data[1] & 0x0F) << 8;
    const SeededWidths widths(data[4], static_cast<std::int8_t>(data[2]) % 4);
    const bool wrap = data[3] & 1;
    const std::string text(reinterpret_cast<const char*>(data + 5), size - 5);
    std::size_t position = 0, pieces = 0;
    TextPiece piece;
    int penX = 0;
    while (textNextPiece(text.data(), text.size(), &position, &piece)) {
        FUZZ_CHECK(piece.count <= kTextPieceMax && piece.text + piece.count <= text.data() + text.size());
        FUZZ_CHECK(position <= text.size());
        FUZZ_CHECK(++pieces <= text.size());
        layPiece(piece, widths, boxWidth, wrap, penX);
    }
    return 0;
}
