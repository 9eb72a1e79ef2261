// Printing of canvases: a printer canvas over the default printer's DC, its pages, and ImagePrint.
#pragma once

#include <cstdint>

#include "Canvas.h"

constexpr std::uint16_t kPrintPortrait = 2;  // flags bit: orientation 1, else 2
constexpr std::uint16_t kPrintColor = 4;     // flags bit: colour, when the printer prints colour

// Non-zero when a printer canvas is open with its document started.
std::int16_t PrintOpenCanvas(Canvas* out, const char* name, std::uint16_t flags);
std::int16_t PrintBeginPage(Canvas printer);
std::int16_t PrintFinishPage(Canvas printer);
// Ends the document; disposes of the canvas (and zeroes it) when that succeeded.
std::int16_t PrintCloseCanvas(Canvas* printer);
// The usable area of the page, with equal margins on both sides of the paper.
void PrintPageArea(Canvas printer, Rect* area);
// 1 when the rectangle (null: the canvas's bounds) was printed on one page, scaled to the page's width.
std::int16_t ImagePrint(Canvas canvas, const char* name, const Rect* rect, std::uint16_t flags);
