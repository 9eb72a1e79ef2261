// The text-style stack: up to 20 saved text states of the current port's device context (font,
// background mode and colour, text colour, alignment) around drawing with a text box's system font.
#pragma once

#include <windows.h>

#include <cstdint>

#include "TextBox.h"

constexpr int kTextStyleLevels = 20;

// A device context's text state.
struct DcTextState {
    HGDIOBJ font;
    int backMode;
    COLORREF backColor;
    COLORREF textColor;
    UINT align;
};

std::int16_t TextInit();
void TextTerm();
// Saves the port's state one level up and selects the box's system font, background mode (opaque when
// bits 6-7 are 01), colours and alignment 0; nothing is selected for a shape font. 0 when the stack was
// not allocated or is full.
std::int16_t TextBeginStyle(TextBox box);
// Restores the last saved state and pops it; nothing when none is saved.
void TextEndStyle();

DcTextState dcSaveText(HDC dc);
void dcRestoreText(HDC dc, const DcTextState& state);
// Selects the style of a box with a system font into dc.
void dcSelectBoxStyle(HDC dc, HFONT font, std::uint32_t flags, std::uint32_t textColor, std::uint32_t backColor);
