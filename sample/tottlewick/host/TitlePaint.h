// Drawing for the generated title: 8-bit pictures over the title's shared palette layout, small digits
// and block letters, and their conversion to 'DIB' palettes and 'XPK' banks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Palette layout shared by every module, so that pictures drawn for one look right under another's
// palette: 0-9 and 246-255 the system colours, then the module's hue in 32 shades from dark to light, 32
// greys, and a fixed cube of 5 reds x 5 greens x 6 blues.
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kWhite = 255;
constexpr std::uint8_t kHueFirst = 10;
constexpr int kShades = 32;
constexpr std::uint8_t kGreyFirst = kHueFirst + kShades;
constexpr std::uint8_t kCubeFirst = kGreyFirst + kShades;

constexpr std::uint8_t hueShade(int shade) { return std::uint8_t(kHueFirst + shade); }  // 0 dark - 31 light
constexpr std::uint8_t greyShade(int shade) { return std::uint8_t(kGreyFirst + shade); }
// The cube entry nearest 0x00RRGGBB.
std::uint8_t cubeColour(std::uint32_t rgb);
// The 256 colours of a module's palette (0x00RRGGBB).
std::vector<std::uint32_t> titleColours(std::uint32_t hue);

// A picture of palette indices; `clear` pixels are left out of a shape.
constexpr std::uint16_t kClear = 0xFFFF;
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint16_t> pixels;
    Picture(int w, int h, std::uint16_t fill = kClear) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    void set(int x, int y, std::uint16_t value);
    void fill(int x, int y, int w, int h, std::uint16_t value);
    void frame(int x, int y, int w, int h, std::uint16_t value);  // a one-pixel outline
    void disc(int cx, int cy, int radius, std::uint16_t value);
};

// Digits 3 x 5 at `scale`, each 4 x scale wide: the id every picture shows.
void drawNumber(Picture& picture, int x, int y, unsigned number, std::uint16_t value, int scale = 1);
// Block letters 5 x 7 at `scale`, each 6 x scale wide: A-Z, 0-9 and '_'; others are blanks.
void drawText(Picture& picture, int x, int y, const std::string& text, std::uint16_t value, int scale);
int textWidth(const std::string& text, int scale);

// A placed picture in a bank: drawn with its top-left at (x, y) from the shape's hot spot.
struct PlacedPicture {
    Picture picture;
    int x = 0;
    int y = 0;
};
// An 'XPK' bank of 8-bit run-coded shapes, file byte order.
std::string xpkBank(const std::vector<PlacedPicture>& shapes);
// A 640 x 480 picture as 8 x 8 tiles of 80 x 60, the backdrop layout.
std::string xpkBackdrop(const Picture& screen);
// The palette of a module as a 'DIB' (a 16 x 16 picture of its own colours).
std::string dibPalette(std::uint32_t hue);
