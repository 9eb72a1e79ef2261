// Backdrop grid arithmetic.
#include "BackdropGrid.h"

#include <algorithm>

Rect backdropCellRect(const BackdropGrid& grid, int cell) {
    const int left = grid.x + cell % grid.columns * grid.cellWidth;
    const int top = grid.y + cell / grid.columns * grid.cellHeight;
    return {std::int16_t(left), std::int16_t(top), std::int16_t(left + grid.cellWidth),
            std::int16_t(top + grid.cellHeight)};
}

BackdropSpan backdropSpan(const BackdropGrid& grid, const Rect& rect) {
    // A shape 0 without a frame gives cells of no size, which would divide by zero.
    if (grid.cellWidth == 0 || grid.cellHeight == 0) return {0, -1, 0, -1};
    const int w = grid.cellWidth;
    const int h = grid.cellHeight;
    return {std::max(0, (rect.left - grid.x) / w), std::min(grid.columns - 1, (rect.right - 1 - grid.x) / w),
            std::max(0, (rect.top - grid.y) / h), std::min(grid.rows - 1, (rect.bottom - 1 - grid.y) / h)};
}
