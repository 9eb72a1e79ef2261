// Printing an 8-bit image on one page of a printer DC: scaled from 1/72-inch pixels, centred, with the
// abort dialog; and the raster helpers it uses.
#pragma once

#include <windows.h>

#include <cstdint>

#include "DibPixels.h"
#include "Rect.h"

// 0 printed, 1 failed.
std::int16_t PrintImage(HWND window, const void* bits, DibHeader* header, HDC dc, const Rect* rect, int scale);
// PrintImage of the current port's DIB (1 when the port has no image); after a failure the problem box
// offers to print the page again. 0 printed, 1 when the user gave up.
std::int16_t PrintCanvasImage(HWND window, HDC dc, const Rect* rect, int scale);
// StretchDIBits (a top-down DIB is flipped for the call and back), or PatBlt without a DIB.
std::int16_t PrintStretchDib(HDC dc, int x, int y, int width, int height, DibHeader* header, const void* bits,
                             int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rasterOp,
                             UINT colorUse);
// Paints a rectangle of an 8-bit image at (x, y) on a printer without greys: pixels whose map entry is 0
// WHITENESS, 1 BLACKNESS, one-pixel-high runs.
void PrintMonochrome(HDC dc, int x, int y, const std::uint8_t* pixels, int pitch, const Rect* rect,
                     const std::uint8_t* map);
