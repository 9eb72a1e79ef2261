// The portable rules of laying text out in a box: the pieces a text is taken in, how many characters of
// a piece fit into the room left on a line (whole characters or whole words), and the tab stops. Plain
// characters and widths in, no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kTextPieceMax = 1040;
constexpr int kTextTabCells = 4;  // a tab stop every four tab units

// How a piece ended: at a line end (CR, LF or CR LF), at a tab, or at neither (the end of the text, or the
// piece limit, in which case `cut` is set and the text goes on in the next piece).
enum class TextPieceEnd { none, lineEnd, tab };

struct TextPiece {
    const char* text = nullptr;
    std::size_t count = 0;
    TextPieceEnd end = TextPieceEnd::none;
    bool cut = false;
};

// Takes the next piece of text[0, length) from *position, consuming its line end or tab; false when
// *position is at the end. A piece cut at kTextPieceMax characters drops its trailing blanks and its last
// character (they start the next piece) but keeps at least one, so every piece moves on.
bool textNextPiece(const char* text, std::size_t length, std::size_t* position, TextPiece* piece);

// Widths of runs of characters in one layout: a run is as wide as the sum of its characters' advances
// less `trim` (the character spacing that follows the last character of a proportional run).
class TextAdvances {
public:
    virtual ~TextAdvances() = default;
    virtual int advance(std::uint8_t character, std::size_t index) const = 0;
    virtual int trim() const { return 0; }
    int width(const char* text, std::size_t count) const;
};

// The most leading characters of text[0, count) whose width fits into room (0 when none does).
std::size_t textFitChars(const TextAdvances& advances, const char* text, std::size_t count, int room);
// The fit characters of text[0, count) cut back to the end of the last whole word: back over the blanks
// and the part of a word at the cut, then over the blanks before them, to the blank that ends the last
// whole word; with no whole word, the whole fit when the line is empty (penX below 1), else 0 (the word
// moves to the next line).
std::size_t textFitWord(const char* text, std::size_t count, std::size_t fit, int penX);
// Blanks at the start of text[0, count).
std::size_t textLeadingBlanks(const char* text, std::size_t count);
// The pen after a tab: one unit on, then on pixel by pixel to the next multiple of four units; a unit of
// 0 gives no advance.
int textTabStop(int penX, int unit);
