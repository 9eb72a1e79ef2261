// DIBs in memory handles: creation, colour tables that hold either palette indices or palette colours,
// and drawing one to a device context.
#pragma once

#include <windows.h>

#include <cstdint>

#include "DibPixels.h"
#include "MemHandle.h"

// Modes of DibSetColorTable: the palette's colours (blue, green, red, 0), or 16-bit indices 0, 1, 2, ...
constexpr std::uint16_t kDibTableColors = 0;
constexpr std::uint16_t kDibTableIndices = 1;

// A bottom-up DIB of width (rounded up to 4 pixels) x height with a palette-relative colour table;
// 0 (handle out 0) when out of memory or for a width or height of 0 or less.
std::int16_t DibCreate(MemHandle* out, std::uint16_t bitCount, std::int16_t width, std::int16_t height);
std::int16_t DibFree(MemHandle* dib);
std::int16_t DibSetColorTable(DibHeader* header, HPALETTE palette, std::uint16_t mode);
// A null palette means the system's default palette. Only for 8 bits or fewer (else 0).
std::int16_t DibSetColorTableFromPalette(MemHandle dib, HPALETTE palette, std::uint16_t mode);
// Without a DIB, paints the rectangle with the raster operation alone. Source width and height -1 mean
// the DIB's size; a negative destination width and height are whole-number zoom factors.
std::int16_t DibStretchDraw(HDC dc, int x, int y, int width, int height, MemHandle dib, int sourceX, int sourceY,
                            int sourceWidth, int sourceHeight, DWORD rasterOp, UINT colorUse);
