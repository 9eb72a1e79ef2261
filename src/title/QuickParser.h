// The descriptor file's word reader: blank-separated words, quoted words with \" escapes, comment lines,
// over bytes that end at the data's end (a NUL ends a comment, and a word's text but not the word).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ByteReader.h"

class QuickParser {
public:
    static constexpr std::size_t kMaxWord = 31;

    QuickParser(const std::uint8_t* data, std::size_t size) : bytes_(data, size, ByteOrder::little) {}

    // Moves to the start of the next line: past the rest of the current one (not on the first call), then
    // past blanks, line ends and comment lines ("#", "/" or ";" first). False at the end of the data.
    bool nextLine();
    // The next word of the current line, at most 31 characters (a longer one is cut); empty at the line's end.
    std::string word();

private:
    // The byte at the position, or 0 past the end.
    std::uint8_t peek() const;
    bool atEnd() const { return position_ >= bytes_.size(); }
    void skipToLineEnd(bool stopAtNul);
    std::string quotedWord();
    std::string plainWord();

    ByteReader bytes_;
    std::size_t position_ = 0;
    bool started_ = false;
};
