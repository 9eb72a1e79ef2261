// The arithmetic of a backdrop's tile grid: where each cell stands, and which cells a rectangle meets.
#pragma once

#include <cstdint>

#include "Rect.h"

struct BackdropGrid {
    std::int16_t x;
    std::int16_t y;
    std::uint16_t columns;
    std::uint16_t rows;
    std::uint16_t cellWidth;
    std::uint16_t cellHeight;
};

// Columns and rows from first to last, inclusive; empty when a last is below its first.
struct BackdropSpan {
    int firstColumn;
    int lastColumn;
    int firstRow;
    int lastRow;
    bool empty() const { return lastColumn < firstColumn || lastRow < firstRow; }
};

// Cell i at column i mod columns and row i div columns.
Rect backdropCellRect(const BackdropGrid& grid, int cell);
// The cells to draw for a dirty rectangle: its edges divided by the cell size (truncating toward zero),
// held to the grid. A grid of empty cells has none.
BackdropSpan backdropSpan(const BackdropGrid& grid, const Rect& rect);
