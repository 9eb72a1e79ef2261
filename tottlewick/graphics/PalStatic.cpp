// The system's static colours in a palette: the display keeps its reserved colours at positions 0-9 and
// 246-255, so a palette that holds them there draws the same through any device.
#include <utility>

#include "Palette.h"
#include "PaletteEntries.h"

namespace {

constexpr int kStaticLow = 10;          // positions 0-9
constexpr int kStaticHigh = 246;        // positions 246-255
constexpr int kShiftedEntries = 236;    // entries 0-235 move to 10-245

bool isStaticPosition(int i) { return i < kStaticLow || i >= kStaticHigh; }

// The system palette's entries; on a screen of more than 8 bits, positions 0-7 and 248-255 hold the
// 16-colour table instead.
void readSystemColors(PALETTEENTRY* system) {
    for (int i = 0; i < kPalEntries; ++i) system[i] = PALETTEENTRY{};
    HDC screen = GetDC(nullptr);
    const int size = GetDeviceCaps(screen, SIZEPALETTE);
    GetSystemPaletteEntries(screen, 0, size < kPalEntries ? size : kPalEntries, system);
    const bool trueColor = GetDeviceCaps(screen, BITSPIXEL) > 8;
    ReleaseDC(nullptr, screen);
    if (!trueColor) return;
    for (int i = 0; i < 8; ++i) {
        system[i] = kSixteenColors[i];
        system[248 + i] = kSixteenColors[8 + i];
    }
}

bool systemIsNoStatic() {
    HDC screen = GetDC(nullptr);
    const UINT use = GetSystemPaletteUse(screen);
    ReleaseDC(nullptr, screen);
    return use == SYSPAL_NOSTATIC;
}

void arrangeStatic(HPALETTE palette, PALETTEENTRY* copy, const PALETTEENTRY* system, bool move) {
    for (int i = 0; move && i < kPalEntries; ++i) {
        if (!isStaticPosition(i)) continue;
        const UINT j = GetNearestPaletteIndex(palette, entryColor(system[i]));
        if (j != UINT(i) && j < UINT(kPalEntries)) std::swap(copy[i], copy[j]);
    }
    for (int i = 0; i < kPalEntries; ++i) {
        if (!isStaticPosition(i)) continue;
        copy[i] = system[i];
        copy[i].peFlags = 0;
    }
}

// Without static colours only black and white are kept, at 0 and 255.
void arrangeNoStatic(HPALETTE palette, PALETTEENTRY* copy, bool move) {
    if (move) {
        const UINT black = GetNearestPaletteIndex(palette, RGB(0, 0, 0));
        if (black < UINT(kPalEntries)) copy[black] = copy[0];
        const UINT white = GetNearestPaletteIndex(palette, RGB(255, 255, 255));
        if (white < UINT(kPalEntries)) copy[white] = copy[kPalEntries - 1];
    }
    copy[0] = PALETTEENTRY{0, 0, 0, 0};
    copy[kPalEntries - 1] = PALETTEENTRY{255, 255, 255, 0};
}

}  // namespace

std::int16_t PalArrangeStatic(HPALETTE* palette, std::int16_t move) {
    if (!palette || !*palette) return 0;
    PALETTEENTRY copy[kPalEntries];
    PALETTEENTRY system[kPalEntries];
    paletteRead(*palette, copy);
    readSystemColors(system);
    if (systemIsNoStatic()) arrangeNoStatic(*palette, copy, move != 0);
    else arrangeStatic(*palette, copy, system, move != 0);
    return SetPaletteEntries(*palette, 0, kPalEntries, copy) ? 1 : 0;
}

std::int16_t PalShiftToMiddle(HPALETTE* palette, std::uint8_t* map) {
    if (!palette || !*palette) return 0;
    PALETTEENTRY entries[kPalEntries];
    PALETTEENTRY shifted[kPalEntries];
    paletteRead(*palette, entries);
    for (int i = 0; i < kPalEntries; ++i) shifted[i] = entries[i];
    for (int i = 0; i < kShiftedEntries; ++i) shifted[kStaticLow + i] = entries[i];
    SetPaletteEntries(*palette, 0, kPalEntries, shifted);
    if (PalArrangeStatic(palette, 0) && map) {
        for (int i = 0; i < kShiftedEntries; ++i) map[i] = static_cast<std::uint8_t>(i + kStaticLow);
    }
    return 1;
}
