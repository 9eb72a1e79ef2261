// Drawing for the generated title.
#include "TitlePaint.h"

#include <algorithm>

#include "DibWriter.h"
#include "XpkForge.h"

namespace {

constexpr int kCubeReds = 5, kCubeGreens = 5, kCubeBlues = 6;

// The twenty colours every palette device reserves.
constexpr std::uint32_t kSystemLow[10] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                          0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
constexpr std::uint32_t kSystemHigh[10] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                           0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::uint32_t rgb(int r, int g, int b) {
    return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
}

int level(int step, int steps) {
    return step * 255 / (steps - 1);
}

std::uint32_t shade(std::uint32_t hue, int step) {
    const auto part = [&](int shift) {
        const int c = int(hue >> shift & 0xFF);
        // The lower half darkens the hue, the upper half mixes it with white.
        return step < kShades / 2 ? c * (6 + step) / (6 + kShades / 2)
                                  : c + (255 - c) * (step - kShades / 2) * 3 / (4 * (kShades / 2));
    };
    return rgb(part(16), part(8), part(0));
}

// Glyph rows, high bit on the left.
constexpr std::uint8_t kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};
constexpr std::uint8_t kLetters[26][7] = {
    {14, 17, 17, 31, 17, 17, 17}, {30, 17, 17, 30, 17, 17, 30}, {14, 17, 16, 16, 16, 17, 14},
    {30, 17, 17, 17, 17, 17, 30}, {31, 16, 16, 30, 16, 16, 31}, {31, 16, 16, 30, 16, 16, 16},
    {14, 17, 16, 23, 17, 17, 15}, {17, 17, 17, 31, 17, 17, 17}, {14, 4, 4, 4, 4, 4, 14},
    {7, 2, 2, 2, 2, 18, 12},      {17, 18, 20, 24, 20, 18, 17}, {16, 16, 16, 16, 16, 16, 31},
    {17, 27, 21, 21, 17, 17, 17}, {17, 17, 25, 21, 19, 17, 17}, {14, 17, 17, 17, 17, 17, 14},
    {30, 17, 17, 30, 16, 16, 16}, {14, 17, 17, 17, 21, 18, 13}, {30, 17, 17, 30, 20, 18, 17},
    {15, 16, 16, 14, 1, 1, 30},   {31, 4, 4, 4, 4, 4, 4},       {17, 17, 17, 17, 17, 17, 14},
    {17, 17, 17, 17, 17, 10, 4},  {17, 17, 17, 21, 21, 21, 10}, {17, 17, 10, 4, 10, 17, 17},
    {17, 17, 10, 4, 4, 4, 4},     {31, 1, 2, 4, 8, 16, 31},
};

void drawGlyph(Picture& picture, int x, int y, const std::uint8_t* rows, int width, int height, std::uint16_t value,
               int scale) {
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            if (rows[row] >> (width - 1 - col) & 1) picture.fill(x + col * scale, y + row * scale, scale, scale, value);
}

ForgeShape forgeShape(const Picture& picture, int x, int y) {
    ForgeShape shape;
    shape.frameWidth = std::int16_t(picture.width);
    shape.frameHeight = std::int16_t(picture.height);
    shape.imageX = std::int16_t(x);
    shape.imageY = std::int16_t(y);
    shape.width = picture.width;
    shape.height = picture.height;
    for (std::uint16_t value : picture.pixels)
        shape.pixels.push_back(value == kClear ? ForgePixel{} : ForgePixel{ForgePixel::opaque, value, 0});
    return shape;
}

}  // namespace

std::uint8_t cubeColour(std::uint32_t colour) {
    const auto nearest = [](int c, int steps) { return (c * (steps - 1) + 127) / 255; };
    const int r = nearest(int(colour >> 16 & 0xFF), kCubeReds), g = nearest(int(colour >> 8 & 0xFF), kCubeGreens);
    const int b = nearest(int(colour & 0xFF), kCubeBlues);
    return std::uint8_t(kCubeFirst + (r * kCubeGreens + g) * kCubeBlues + b);
}

std::vector<std::uint32_t> titleColours(std::uint32_t hue) {
    std::vector<std::uint32_t> colours(256, 0);
    std::copy(std::begin(kSystemLow), std::end(kSystemLow), colours.begin());
    std::copy(std::begin(kSystemHigh), std::end(kSystemHigh), colours.end() - 10);
    for (int i = 0; i < kShades; ++i) {
        colours[hueShade(i)] = shade(hue, i);
        const int grey = level(i, kShades);
        colours[greyShade(i)] = rgb(grey, grey, grey);
    }
    for (int r = 0; r < kCubeReds; ++r)
        for (int g = 0; g < kCubeGreens; ++g)
            for (int b = 0; b < kCubeBlues; ++b)
                colours[std::size_t(kCubeFirst + (r * kCubeGreens + g) * kCubeBlues + b)] =
                    rgb(level(r, kCubeReds), level(g, kCubeGreens), level(b, kCubeBlues));
    return colours;
}

void Picture::set(int x, int y, std::uint16_t value) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[std::size_t(y) * width + x] = value;
}

void Picture::fill(int x, int y, int w, int h, std::uint16_t value) {
    for (int row = std::max(y, 0); row < std::min(y + h, height); ++row)
        for (int col = std::max(x, 0); col < std::min(x + w, width); ++col)
            pixels[std::size_t(row) * width + col] = value;
}

void Picture::frame(int x, int y, int w, int h, std::uint16_t value) {
    fill(x, y, w, 1, value);
    fill(x, y + h - 1, w, 1, value);
    fill(x, y, 1, h, value);
    fill(x + w - 1, y, 1, h, value);
}

void Picture::disc(int cx, int cy, int radius, std::uint16_t value) {
    for (int y = -radius; y < radius; ++y)
        for (int x = -radius; x < radius; ++x)
            if ((2 * x + 1) * (2 * x + 1) + (2 * y + 1) * (2 * y + 1) <= 4 * radius * radius)
                set(cx + x, cy + y, value);
}

void drawNumber(Picture& picture, int x, int y, unsigned number, std::uint16_t value, int scale) {
    const std::string digits = std::to_string(number);
    for (std::size_t i = 0; i < digits.size(); ++i)
        drawGlyph(picture, x + int(i) * 4 * scale, y, kDigits[digits[i] - '0'], 3, 5, value, scale);
}

void drawText(Picture& picture, int x, int y, const std::string& text, std::uint16_t value, int scale) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int left = x + int(i) * 6 * scale;
        const char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            drawGlyph(picture, left, y, kLetters[c - 'A'], 5, 7, value, scale);
        } else if (c >= '0' && c <= '9') {
            drawGlyph(picture, left + scale, y + scale, kDigits[c - '0'], 3, 5, value, scale);
        } else if (c == '_') {
            picture.fill(left, y + 6 * scale, 5 * scale, scale, value);
        }
    }
}

int textWidth(const std::string& text, int scale) {
    return int(text.size()) * 6 * scale - scale;
}

std::string xpkBank(const std::vector<PlacedPicture>& shapes) {
    ForgeBank bank;
    bank.format = kForgeRun8;
    for (const PlacedPicture& placed : shapes) bank.shapes.push_back(forgeShape(placed.picture, placed.x, placed.y));
    return forgeXpk(bank, ByteOrder::big);
}

std::string xpkBackdrop(const Picture& screen) {
    constexpr int kTileW = 80, kTileH = 60;
    std::vector<PlacedPicture> tiles;
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            Picture tile(kTileW, kTileH);
            for (int y = 0; y < kTileH; ++y)
                for (int x = 0; x < kTileW; ++x)
                    tile.set(x, y, screen.pixels[std::size_t(row * kTileH + y) * screen.width + col * kTileW + x]);
            tiles.push_back({tile, 0, 0});
        }
    }
    return xpkBank(tiles);
}

std::string dibPalette(std::uint32_t hue) {
    DibPicture dib;
    dib.width = dib.height = 16;
    dib.colors = titleColours(hue);
    for (std::uint32_t i = 0; i < 256; ++i) dib.pixels.push_back(i);
    return writeBmpFile(dib);
}
