// Text boxes: a font, colours, a rectangle, a pen and layout flags, with which a string is laid out line
// by line (tab stops, word wrap, cells, justification, upward scrolling) into the current port.
#pragma once

#include <cstdint>

#include "Font.h"
#include "Rect.h"

using TextBox = MemHandle;

// Flags.
constexpr std::uint32_t kTextLayoutMask = 0x3;  // 0 proportional, 1 centred cells, 2 spacing callback, 3 cells
constexpr std::uint32_t kTextProportional = 0;
constexpr std::uint32_t kTextCentredCells = 1;
constexpr std::uint32_t kTextSpaced = 2;
constexpr std::uint32_t kTextCells = 3;
constexpr std::uint32_t kTextWordWrap = 0x4;
constexpr std::uint32_t kTextSystemDraws = 0x8;
constexpr std::uint32_t kTextOneLine = 0x10;
constexpr std::uint32_t kTextLineCallback = 0x20;
constexpr std::uint32_t kTextModeMask = 0x3C;
constexpr std::uint32_t kTextBackMask = 0xC0;
constexpr std::uint32_t kTextOpaque = 0x40;  // bits 6-7 binary 01
constexpr std::uint32_t kTextOwnRect = 0x100;
constexpr std::uint32_t kTextNoScroll = 0x200;

// Flags of TextBoxDrawInRect.
constexpr std::uint16_t kTextCentreLines = 0x1;
constexpr std::uint16_t kTextRightLines = 0x2;
constexpr std::uint16_t kTextCentreBlock = 0x4;
constexpr std::uint16_t kTextJustify = 0x10;
constexpr std::uint16_t kTextSpread = 0x20;

// Called instead of drawing a line that lies outside the port's clip vertically (line: where it would go).
using TextBoxClipProc = void (*)(TextBox box, const char* text, std::int16_t count, const Rect* line);
// The advance of the character at index of its line (layout 2).
using TextBoxSpacingProc = std::int16_t (*)(TextBox box, std::uint8_t character, std::int16_t index);
// Each line before it is drawn (flag bit 5): the rest of the piece, its length and the line's count.
using TextBoxLineProc = void (*)(TextBox box, const char* rest, std::int16_t remaining, std::int16_t count);

std::int16_t TextBoxNew(TextBox* box);
void TextBoxFree(TextBox* box);

void TextBoxSetRect(TextBox box, const Rect* rect);
void TextBoxGetRect(TextBox box, Rect* out);
void TextBoxGetArea(TextBox box, Rect* out);
void TextBoxClearRect(TextBox box);
Font TextBoxSetFont(TextBox box, Font font);
Font TextBoxGetFont(TextBox box);
void TextBoxSetAlign(TextBox box, std::uint32_t align);
std::uint32_t TextBoxGetAlign(TextBox box);
void TextBoxSetMode(TextBox box, std::uint32_t mode);
std::uint32_t TextBoxGetMode(TextBox box);
void TextBoxSetBackMode(TextBox box, std::uint32_t mode);
std::uint32_t TextBoxGetBackMode(TextBox box);
void TextBoxSetNoScroll(TextBox box, std::int16_t on);
std::int16_t TextBoxGetNoScroll(TextBox box);
void TextBoxSetTextColor(TextBox box, std::uint32_t colour);
std::uint32_t TextBoxGetTextColor(TextBox box);
void TextBoxSetBackColor(TextBox box, std::uint32_t colour);
std::uint32_t TextBoxGetBackColor(TextBox box);
void TextBoxSetClipProc(TextBox box, TextBoxClipProc proc);
TextBoxClipProc TextBoxGetClipProc(TextBox box);
void TextBoxSetSpacingProc(TextBox box, TextBoxSpacingProc proc);
TextBoxSpacingProc TextBoxGetSpacingProc(TextBox box);
void TextBoxSetLineProc(TextBox box, TextBoxLineProc proc);
TextBoxLineProc TextBoxGetLineProc(TextBox box);
void TextBoxGetPen(TextBox box, Point* out);
void TextBoxSetPen(TextBox box, const Point* pen);

std::int16_t TextBoxWidth(TextBox box, const char* text, std::int16_t count);
std::int16_t TextBoxHeight(TextBox box, const char* text, std::int16_t count);
std::int16_t TextBoxFitChars(TextBox box, const char* text);
std::int16_t TextBoxFitWord(TextBox box, const char* text);

// outRect, when given, receives the union of the areas drawn and scrolled.
void TextBoxDraw(TextBox box, const char* text, Rect* outRect);
// The bounding rectangle of the text as TextBoxDraw would lay it out from the pen, nothing drawn or
// scrolled.
void TextBoxMeasure(TextBox box, const char* text, Rect* out);
// A paragraph into rect by the flags above; the box's settings are kept. A piece that ends at a tab is
// drawn, then the pen moves to the tab stop.
void TextBoxDrawInRect(TextBox box, const char* text, const Rect* rect, std::uint16_t flags, Rect* outRect);
