// Palettes from the colour tables of stored 'DIB' bitmaps.
#pragma once

#include <windows.h>

#include <cstdint>

#include "MemHandle.h"

// A colour-table block:
//
//   offset 0     2       4
//          +-----+-------+------------------------------------------+
//          | 0   | n     | n entries of blue, green, red, reserved  |
//          | u16 | u16   |                                          |
//          +-----+-------+------------------------------------------+
struct DibColorTableHead {
    std::uint16_t zero;
    std::uint16_t count;
};

// Loads 'DIB' id and gives a new handle holding its colour table; 0 on failure.
MemHandle PalLoadDibColors(std::uint16_t id);
// The colour table of a stored bitmap file in a handle; 0 when it holds more than 256 colours or its
// table passes the end of the data.
MemHandle DibGetColorTable(MemHandle dib);
// A palette of the table's colours, every entry reserved for animation; pure black becomes (8, 8, 8)
// and white (every component above 254) becomes (247, 247, 247), so that black and white stay only at
// the static positions.
std::int16_t PalCreateFromDibColors(MemHandle colorTable, HPALETTE* out);
// As PalCreateFromDibColors, then the static positions (0-9, 246-255) take the entries of a static
// colour table (a block of the same form) or, with none, the system's static colours.
std::int16_t PalCreateFromColors(MemHandle colorTable, HPALETTE* out, MemHandle staticColors);
