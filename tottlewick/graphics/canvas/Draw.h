// Filled and framed rectangles and lines in the current port, by palette index or by RGB colour
// (0x00BBGGRR, drawn with the nearest palette index).
#pragma once

#include <cstdint>

#include "Rect.h"

void DrawFillRectIndex(const Rect* rect, std::uint8_t index);
void DrawFillRect(const Rect* rect, std::uint32_t colour);
void DrawFrameRectIndex(const Rect* rect, std::uint8_t index);
void DrawFrameRect(const Rect* rect, std::uint32_t colour);
void DrawLineIndex(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::uint8_t index);
void DrawLine(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::uint32_t colour);
