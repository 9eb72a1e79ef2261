// The line-by-line layout of a text box, shared by TextBoxDraw, TextBoxMeasure and TextBoxDrawInRect.
#pragma once

#include "TextBoxRecord.h"

// What a paragraph layout changes around each line.
class TextLineHooks {
public:
    virtual ~TextLineHooks() = default;
    // Before a line of count characters is drawn; last: it ends its paragraph. May move the pen or
    // change the layout of this line.
    virtual void beginLine(TextBox box, TextBoxRecord& record, const char* text, std::size_t count, bool last) = 0;
    virtual void endLine(TextBoxRecord& record) = 0;
    virtual int lineHeight(const TextBoxRecord& record) const { return record.lineHeight; }
    // With the box's one-line flag: whether a line that ended at a line end lets the layout go on (else the
    // layout ends after its first line).
    virtual bool oneLineGoesOnAtLineEnd() const { return false; }
};

// Lays text out from the record's pen, drawing (and scrolling) when draw is set, else only measuring; out,
// when given, receives the union of the areas drawn (or measured) and scrolled. The record's pen moves.
void textBoxLayout(TextBox box, TextBoxRecord& record, const char* text, bool draw, Rect* out,
                   TextLineHooks* hooks);
