// Text pieces, fitting and tab stops.
#include "TextLayout.h"

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

bool textNextPiece(const char* text, std::size_t length, std::size_t* position, TextPiece* piece) {
    std::size_t at = *position;
    if (at >= length) return false;
    *piece = TextPiece{text + at};
    std::size_t count = 0;
    while (at + count < length && count < kTextPieceMax && !isLineEnd(text[at + count]) && text[at + count] != '\t')
        ++count;
    at += count;
    if (at < length && isLineEnd(text[at])) {
        piece->end = TextPieceEnd::lineEnd;
        at += text[at] == '\r' && at + 1 < length && text[at + 1] == '\n' ? 2 : 1;
    } else if (at < length && text[at] == '\t') {
        piece->end = TextPieceEnd::tab;
        ++at;
    } else if (at < length) {
        // Cut at the limit: the trailing blanks and the last character start the next piece.
        const std::size_t full = count;
        while (count > 1 && piece->text[count - 1] == ' ') --count;
        if (count > 1) --count;
        at -= full - count;
        piece->cut = true;
    }
    piece->count = count;
    *position = at;
    return true;
}

int TextAdvances::width(const char* text, std::size_t count) const {
    if (!count) return 0;
    int sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += advance(static_cast<std::uint8_t>(text[i]), i);
    return sum - trim();
}

std::size_t textFitChars(const TextAdvances& advances, const char* text, std::size_t count, int room) {
    int sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum += advances.advance(static_cast<std::uint8_t>(text[i]), i);
        if (sum - advances.trim() > room) return i;
    }
    return count;
}

std::size_t textFitWord(const char* text, std::size_t count, std::size_t fit, int penX) {
    if (fit == count) return fit;
    std::size_t end = fit;
    if (text[end] != ' ')
        while (end > 0 && text[end - 1] != ' ') --end;
    while (end > 0 && text[end - 1] == ' ') --end;
    if (end > 0) return end;
    return penX < 1 ? fit : 0;
}

std::size_t textLeadingBlanks(const char* text, std::size_t count) {
    std::size_t blanks = 0;
    while (blanks < count && text[blanks] == ' ') ++blanks;
    return blanks;
}

int textTabStop(int penX, int unit) {
    if (unit <= 0) return penX;
    penX += unit;
    while ((penX / unit) % kTextTabCells) ++penX;
    return penX;
}
