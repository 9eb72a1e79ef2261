// The descriptor file's word reader.
#include "QuickParser.h"

namespace {

bool isBlank(std::uint8_t c) { return c == ' ' || c == '\t'; }
bool isLineEnd(std::uint8_t c) { return c == '\n' || c == '\r'; }
bool isCommentMark(std::uint8_t c) { return c == '#' || c == '/' || c == ';'; }

// Keeps the first 31 characters of a word, dropping the rest.
void keep(std::string& word, char c) {
    if (word.size() < QuickParser::kMaxWord) word += c;
}

}  // namespace

std::uint8_t QuickParser::peek() const {
    std::uint8_t c = 0;
    return bytes_.u8At(position_, c) ? c : 0;
}

void QuickParser::skipToLineEnd(bool stopAtNul) {
    while (!atEnd() && !isLineEnd(peek()) && !(stopAtNul && peek() == 0)) ++position_;
}

bool QuickParser::nextLine() {
    if (started_) skipToLineEnd(false);
    started_ = true;
    for (;;) {
        while (!atEnd() && (isBlank(peek()) || isLineEnd(peek()))) ++position_;
        if (atEnd() || !isCommentMark(peek())) break;
        skipToLineEnd(true);
    }
    return !atEnd();
}

std::string QuickParser::word() {
    while (!atEnd() && isBlank(peek())) ++position_;
    if (atEnd() || isLineEnd(peek())) return {};
    // Words are kept as NUL-terminated texts: a NUL inside a word ends the word's text, not the word.
    const std::string text = peek() == '"' ? quotedWord() : plainWord();
    return text.substr(0, text.find('\0'));
}

std::string QuickParser::quotedWord() {
    std::string text;
    ++position_;
    while (!atEnd() && peek() != '"') {
        std::uint8_t next = 0;
        if (peek() == '\\' && bytes_.u8At(position_ + 1, next) && next == '"') ++position_;
        keep(text, static_cast<char>(peek()));
        ++position_;
    }
    if (!atEnd()) ++position_;
    return text;
}

std::string QuickParser::plainWord() {
    std::string text;
    while (!atEnd() && !isBlank(peek()) && !isLineEnd(peek())) {
        keep(text, static_cast<char>(peek()));
        ++position_;
    }
    return text;
}
