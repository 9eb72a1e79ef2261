// Word wrap of a box text: lines broken at blanks only, counted and walked in place.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class OMFont;

// Lines are cut by writing a terminator into the text for a measurement or a draw and putting the character
// back at once, so the text is never copied and is left as it was.
class RTextLayout {
public:
    RTextLayout(char* text, OMFont& font, std::int32_t boxWidth) : text_(text), font_(font), boxWidth_(boxWidth) {}

    // Breaks the text into lines in one walk; afterwards countLines and forEachLine use the breaks.
    void breakLines();
    // How many lines the wrapped text counts. A last word that starts a line is measured again by itself,
    // so a line start whose rest is wider than the box counts one more.
    std::int32_t countLines() const { return count_; }
    // Calls draw with each line (terminated for the call) and its width, top line first. The first word of
    // a line always belongs to it; the trailing blanks of a line that another follows are left out.
    void forEachLine(const std::function<void(const char* line, std::int32_t width)>& draw);

private:
    // The width of [from, to).
    std::int32_t widthOf(char* from, char* to);
    // The line from s: where it ends and where the next one starts (the end of the text after the last
    // line); true when the line was broken because the rest is wider than the box.
    bool breakLine(char* s, char*& lineEnd, char*& next);

    struct Span {
        char* start;
        char* end;
    };

    char* text_;
    OMFont& font_;
    std::int32_t boxWidth_;
    std::vector<Span> lines_;
    std::int32_t count_ = 1;
};
