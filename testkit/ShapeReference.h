// The reference for the shape decoders: forged pictures placed by their mirror mode and drawn pixel by
// pixel, straight from the rules, into a plain canvas of 8-, 15- or 16-bit values.
#pragma once

#include <cstdint>
#include <vector>

#include "XpkForge.h"

struct RefRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct RefCanvas {
    RefCanvas(int w, int h, int bits, std::uint16_t background)
        : width(w), height(h), depth(bits), pixels(static_cast<std::size_t>(w * h), background) {}
    std::uint16_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }

    int width;
    int height;
    int depth;
    std::vector<std::uint16_t> pixels;
};

RefRect refImageRect(const ForgeShape& shape, int x, int y, int mode);

// Draws the bank's shape at (x, y) in the mirror mode, inside the clip and the canvas, when the canvas's
// depth suits the bank's format (8 bits for 0xC001/0xC002, 15 or 16 for 0xB001/0xB002).
void refDraw(RefCanvas& canvas, const ForgeBank& bank, const ForgeShape& shape, int x, int y, int mode,
             const RefRect& clip);
// True when a non-skipped pixel of the placed shape lies inside the rectangle.
bool refHit(const ForgeShape& shape, int x, int y, int mode, const RefRect& rect);
