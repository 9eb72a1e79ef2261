// Fonts: shape fonts, whose characters are the shapes of a packed shape bank, and system fonts created by
// face, size and style; their metrics, the width of a text, drawing with a shape font, and the current
// font with a small stack around measuring and drawing.
#pragma once

#include <windows.h>

#include <cstdint>

#include "MemHandle.h"
#include "ShapeMgr.h"

using Font = MemHandle;

constexpr std::uint16_t kFontShape = 1;
constexpr std::uint16_t kFontSystem = 2;
constexpr std::uint16_t kFontBold = 1;
constexpr std::uint16_t kFontItalic = 2;
constexpr std::uint16_t kFontUnderline = 4;
constexpr int kFontStackSize = 8;

// Shapes whose packed images give a shape font's metrics (shape indexes, not character codes).
constexpr std::uint16_t kFontSpaceShape = 27;
constexpr std::uint16_t kFontSpacingShape = 46;
constexpr std::uint16_t kFontHeightShape = 33;

// "xHelv", "xTimes", "xCourier" and "xSystem" stand for "Arial", "Times New Roman", "Courier" and
// "System"; any other face is used as it is. Size in pixels; style bits as above.
Font FontNewSystem(const char* face, std::uint16_t style, std::int16_t size);
Font FontNewShape(std::uint16_t bankId);
void FontFree(Font* font);

std::uint16_t FontGetKind(Font font);
std::int16_t FontGetSpacing(Font font);
void FontSetSpacing(Font font, std::int16_t spacing);
std::int16_t FontGetCapHeight(Font font);
void FontSetCapHeight(Font font, std::int16_t height);
std::int16_t FontGetLineHeight(Font font);
void FontSetLineHeight(Font font, std::int16_t height);
std::int16_t FontGetSpaceWidth(Font font);
void FontSetSpaceWidth(Font font, std::int16_t width);
// A shape font's width of one character (0 for a system font).
std::uint8_t FontCharWidth(Font font, std::uint8_t character);
HFONT FontGetSystemFont(Font font);
ShapeBank FontGetBank(Font font);

// The shape index of a character in the bank (FontMap); FontHasChar: 0 below 32 and past the bank.
std::uint16_t FontShapeIndex(ShapeBank bank, std::uint8_t character);
std::int16_t FontHasChar(ShapeBank bank, std::uint8_t character);

Font FontSetCurrent(Font font);
Font FontGetCurrent();
// Refused (0) when the stack is full; FontPop with nothing pushed changes nothing and gives 0.
std::int16_t FontPush(Font font);
Font FontPop();

// Of the current shape font: the sum of (width + spacing) less one spacing; a negative count means the
// whole string.
std::int16_t FontTextWidth(const char* text, std::int16_t count);
// Draws each character's shape at the pen in the current port and moves on by its width and the spacing;
// blank, CR, LF and NUL draw nothing.
void FontDrawText(std::int16_t x, std::int16_t y, std::int16_t count, const char* text);
void FontDrawString(std::int16_t x, std::int16_t y, const char* text);
