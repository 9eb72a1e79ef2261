// A 5 x 7 bitmap font for the sample's pictures: digits, lower-case letters (upper case is drawn as lower)
// and the signs + - = ?; any other character is drawn as a minus.
#pragma once

#include <cstdint>
#include <string>

#include "PixelGrid.h"

// The character scaled to fill the box (left, top, width, height); each font cell covers the pixels that
// fall on it.
void drawCharacter(PixelGrid& grid, char c, int left, int top, int width, int height, std::uint8_t colour);
// The text with every font cell `scale` pixels square and one empty column between characters, its top
// left corner at (left, top). Returns the text's width.
int drawText(PixelGrid& grid, const std::string& text, int left, int top, int scale, std::uint8_t colour);
// The width drawText gives the text.
int textWidth(const std::string& text, int scale);
