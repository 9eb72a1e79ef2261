// The reference drawing: one pixel at a time, colours mixed with the blend rule's own formula.
#include "ShapeReference.h"

namespace {

bool inside(const RefRect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// Where image pixel (i, j) lands: mirrored modes read each row from the right.
void landing(const ForgeShape& s, int x, int y, int mode, int i, int j, int* outX, int* outY) {
    const RefRect image = refImageRect(s, x, y, mode);
    *outX = image.left + (mode != 0 ? s.width - 1 - i : i);
    *outY = image.top + j;
}

struct Channels {
    int red;
    int green;
    int blue;
};

Channels channelsOf(std::uint16_t pixel, int depth) {
    if (depth == 16) return {pixel >> 11 & 31, pixel >> 6 & 31, pixel & 31};
    return {pixel >> 10 & 31, pixel >> 5 & 31, pixel & 31};
}

std::uint16_t pixelOf(const Channels& c, int depth) {
    if (depth == 16) return static_cast<std::uint16_t>(c.red << 11 | c.green << 6 | c.blue);
    return static_cast<std::uint16_t>(c.red << 10 | c.green << 5 | c.blue);
}

int mix(int weight, int destination, int source) { return ((32 - weight) * destination + (weight + 1) * source) >> 5; }

std::uint16_t colourOf(const ForgeBank& bank, const ForgePixel& p) {
    if (bank.format != kForgeMapped16) return p.value;
    return p.value < bank.colourMap.size() ? bank.colourMap[p.value] : 0;
}

}  // namespace

RefRect refImageRect(const ForgeShape& s, int x, int y, int mode) {
    const int lefts[4] = {x - s.hotX + s.imageX, x + s.hotX - (s.imageX + s.width) + 1, x - s.hotX + s.imageX,
                          x - s.hotX + (s.frameWidth - s.imageX - s.width)};
    const int left = lefts[mode & 3];
    const int top = y - s.hotY + s.imageY;
    return {left, top, left + s.width, top + s.height};
}

void refDraw(RefCanvas& canvas, const ForgeBank& bank, const ForgeShape& s, int x, int y, int mode,
             const RefRect& clip) {
    const bool eightBit = bank.format == kForgeRun8 || bank.format == kForgePlain8;
    if (eightBit != (canvas.depth == 8) || !s.hasData()) return;
    for (int j = 0; j < s.height; ++j) {
        for (int i = 0; i < s.width; ++i) {
            const ForgePixel& p = s.at(i, j);
            int px = 0;
            int py = 0;
            landing(s, x, y, mode, i, j, &px, &py);
            const RefRect whole{0, 0, canvas.width, canvas.height};
            if (p.kind == ForgePixel::skip || !inside(clip, px, py) || !inside(whole, px, py)) continue;
            std::uint16_t& out = canvas.at(px, py);
            if (eightBit) {
                out = p.value;
                continue;
            }
            const Channels source = channelsOf(colourOf(bank, p), 15);
            if (p.kind == ForgePixel::opaque) {
                out = pixelOf(source, canvas.depth);
                continue;
            }
            const Channels d = channelsOf(out, canvas.depth);
            out = pixelOf({mix(p.weight, d.red, source.red), mix(p.weight, d.green, source.green),
                           mix(p.weight, d.blue, source.blue)},
                          canvas.depth);
        }
    }
}

bool refHit(const ForgeShape& s, int x, int y, int mode, const RefRect& rect) {
    if (!s.hasData()) return false;
    for (int j = 0; j < s.height; ++j) {
        for (int i = 0; i < s.width; ++i) {
            int px = 0;
            int py = 0;
            landing(s, x, y, mode, i, j, &px, &py);
            if (s.at(i, j).kind != ForgePixel::skip && inside(rect, px, py)) return true;
        }
    }
    return false;
}
