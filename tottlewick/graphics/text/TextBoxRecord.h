// The record inside a text box's memory handle and the measures of its layouts, shared by the box's
// setters, its layout and its paragraph drawing.
#pragma once

#include <windows.h>

#include "TextBox.h"
#include "TextLayout.h"

struct TextBoxRecord {
    std::uint32_t flags;
    Font font;
    Rect rect;
    std::int16_t penX;
    std::int16_t penY;
    std::uint32_t textColor;
    std::uint32_t backColor;
    std::int16_t tabUnit;     // the width of "X"
    std::int16_t lineHeight;  // the height of "X"
    TextBoxClipProc clipProc;
    TextBoxSpacingProc spacingProc;
    TextBoxLineProc lineProc;
    std::uint32_t spare;

    std::uint32_t layout() const { return flags & kTextLayoutMask; }
};

// A copy of the box's record (zeros for a null box); writeRecord stores one back.
bool readRecord(TextBox box, TextBoxRecord* record);
void writeRecord(TextBox box, const TextBoxRecord& record);
// The box rectangle, or the current port's bounds when the box has none.
Rect boxArea(const TextBoxRecord& record);

// The advances of a box's layout: proportional (the font's widths and spacing, or the system's extents),
// cells as wide as "X", or the spacing callback's answers.
class BoxAdvances : public TextAdvances {
public:
    BoxAdvances(TextBox box, const TextBoxRecord& record) : box_(box), record_(record) {}
    int advance(std::uint8_t character, std::size_t index) const override;
    int trim() const override;
    // The font's own width of one character, without spacing.
    int glyphWidth(std::uint8_t character) const;

private:
    TextBox box_;
    const TextBoxRecord& record_;
};

int boxTextWidth(TextBox box, const TextBoxRecord& record, const char* text, std::size_t count);
std::size_t boxFitChars(TextBox box, const TextBoxRecord& record, const char* text, std::size_t count);
std::size_t boxFitWord(TextBox box, const TextBoxRecord& record, const char* text, std::size_t count);

// The extent of text in a system font, measured in the current port (or the screen without one).
SIZE systemExtent(HFONT font, const char* text, std::size_t count);
