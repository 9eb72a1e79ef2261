// Shapes on an 8-bit pixel grid.
#include "PixelGrid.h"

void PixelGrid::set(int x, int y, std::uint8_t index) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = index;
}

void PixelGrid::fillRect(int left, int top, int right, int bottom, std::uint8_t index) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) set(x, y, index);
}

void PixelGrid::fillEllipse(int cx, int cy, int rx, int ry, std::uint8_t index) {
    if (rx <= 0 || ry <= 0) return;
    const long long r2 = static_cast<long long>(rx) * rx * ry * ry;
    for (int dy = -ry; dy <= ry; ++dy)
        for (int dx = -rx; dx <= rx; ++dx) {
            if (static_cast<long long>(dx) * dx * ry * ry + static_cast<long long>(dy) * dy * rx * rx < r2)
                set(cx + dx, cy + dy, index);
        }
}
