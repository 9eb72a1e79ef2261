// Stock palettes and the two built-in colour tables.
#include <cstdint>

#include "Palette.h"
#include "PaletteEntries.h"

const PALETTEENTRY kSixteenColors[16] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},   {0, 128, 0, 0},   {128, 128, 0, 0}, {0, 0, 128, 0},   {128, 0, 128, 0},
    {0, 128, 128, 0},   {192, 192, 192, 0}, {128, 128, 128, 0}, {255, 0, 0, 0}, {0, 255, 0, 0},   {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0}, {0, 255, 255, 0}, {255, 255, 255, 0}};

namespace {

constexpr int kLevels = 16;  // components of the 256-colour table are multiples of 17

// The 256-colour table: black, then colours of the 16-level cube from dark to light (by the sum of the
// levels; then by red, by how far green and blue lie apart, by green), and white last.
void fillColors256(PALETTEENTRY* out) {
    int n = 0;
    for (int sum = 0; n < kPalEntries - 1; ++sum) {
        for (int red = 0; red < kLevels && red <= sum; ++red) {
            const int rest = sum - red;
            for (int spread = rest % 2; spread <= rest; spread += 2) {
                const int green = (rest - spread) / 2;
                const int blue = rest - green;
                for (int swap = 0; swap < (spread ? 2 : 1) && n < kPalEntries - 1; ++swap) {
                    const int g = swap ? blue : green;
                    const int b = swap ? green : blue;
                    if (g >= kLevels || b >= kLevels) continue;
                    out[n++] = PALETTEENTRY{BYTE(red * 17), BYTE(g * 17), BYTE(b * 17), PC_RESERVED};
                }
            }
        }
    }
    out[kPalEntries - 1] = PALETTEENTRY{255, 255, 255, PC_RESERVED};
}

// The content of a stock kind; 0 entries for an unknown kind.
std::uint16_t fillStock(std::uint16_t kind, PALETTEENTRY* out) {
    switch (kind) {
    case kPalStockColors256: fillColors256(out); return kPalEntries;
    case kPalStockColors16:
        for (int i = 0; i < 16; ++i) out[i] = PALETTEENTRY{kSixteenColors[i].peRed, kSixteenColors[i].peGreen,
                                                           kSixteenColors[i].peBlue, PC_RESERVED};
        return 16;
    case kPalStockBlack:
    case kPalStockWhite:
    case kPalStockGrey:
        for (int i = 0; i < kPalEntries; ++i) {
            const BYTE level = kind == kPalStockBlack ? 0 : kind == kPalStockWhite ? 255 : BYTE(i);
            out[i] = PALETTEENTRY{level, level, level, PC_RESERVED};
        }
        return kPalEntries;
    default: return 0;
    }
}

}  // namespace

std::int16_t PalCreateStock(HPALETTE* out, std::uint16_t kind) {
    if (!out) return 0;
    *out = nullptr;
    PALETTEENTRY entries[kPalEntries] = {};
    const std::uint16_t count = fillStock(kind & ~kPalArrange, entries);
    if (!count) return 0;
    *out = paletteFromEntries(entries, count);
    if (!*out) return 0;
    if ((kind & kPalArrange) && count == kPalEntries) PalArrangeStatic(out, 1);
    return 1;
}
