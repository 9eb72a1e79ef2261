// Word wrap of a box text: the line count and the line walk.
#include "RTextLayout.h"

#include <cstring>

#include "OMFont.h"

namespace {

char* skipBlanks(char* p) {
    while (*p == ' ') ++p;
    return p;
}

char* wordEnd(char* p) {
    while (*p && *p != ' ') ++p;
    return p;
}

// True when nothing but blanks follows p.
bool atLastWord(char* p) { return *skipBlanks(p) == '\0'; }

}  // namespace

std::int32_t RTextLayout::widthOf(char* from, char* to) {
    const char kept = *to;
    *to = '\0';
    const std::int32_t width = font_.textWidth(from);
    *to = kept;
    return width;
}

// Every break for width adds a line, also the one after a last word that is too wide by itself.
void RTextLayout::breakLines() {
    lines_.clear();
    count_ = 1;
    for (char* s = text_; *s;) {
        char* lineEnd = nullptr;
        char* next = nullptr;
        if (breakLine(s, lineEnd, next)) ++count_;
        lines_.push_back({s, lineEnd});
        s = next;
    }
}

bool RTextLayout::breakLine(char* s, char*& lineEnd, char*& next) {
    char* const end = text_ + std::strlen(text_);
    char* e = wordEnd(skipBlanks(s));
    for (;;) {
        char* word = skipBlanks(e);
        char* wordStop = wordEnd(word);
        if (atLastWord(wordStop)) {
            const bool fits = widthOf(s, end) <= boxWidth_;
            lineEnd = fits ? end : e;
            next = fits ? end : word;
            return !fits;
        }
        if (widthOf(s, wordStop) > boxWidth_) {
            lineEnd = e;
            next = word;
            return true;
        }
        e = wordStop;
    }
}

void RTextLayout::forEachLine(const std::function<void(const char* line, std::int32_t width)>& draw) {
    for (const Span& line : lines_) {
        const char kept = *line.end;
        *line.end = '\0';
        draw(line.start, font_.textWidth(line.start));
        *line.end = kept;
    }
}
