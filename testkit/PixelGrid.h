// An 8-bit pixel grid with the few shapes that generated pictures, icons and cursors are drawn from.
#pragma once

#include <cstdint>
#include <vector>

struct PixelGrid {
    PixelGrid(int gridWidth, int gridHeight, std::uint8_t background)
        : width(gridWidth), height(gridHeight),
          pixels(static_cast<std::size_t>(gridWidth) * static_cast<std::size_t>(gridHeight), background) {}

    // Points outside the grid are left out.
    void set(int x, int y, std::uint8_t index);
    // Left and top inclusive, right and bottom exclusive.
    void fillRect(int left, int top, int right, int bottom, std::uint8_t index);
    // Every point whose distance from the centre is below the radii's ellipse.
    void fillEllipse(int cx, int cy, int rx, int ry, std::uint8_t index);

    int width;
    int height;
    std::vector<std::uint8_t> pixels;
};
