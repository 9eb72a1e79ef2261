// The system's static colours in a palette: the display keeps its reserved colours at positions 0-9 and
// 246-255, so a palette that holds them there draws the same through any device. And the switch of the
// system palette to no static colours but black and white.
#include <utility>

#include "Palette.h"
#include "PaletteEntries.h"

namespace {

constexpr int kShiftedEntries = 236;  // entries 0-235 move to 10-245

// The system colours COLOR_SCROLLBAR (0) to COLOR_BTNHIGHLIGHT (20), and what they become without static
// colours: black for text, frames and shadows, white for faces and backgrounds.
constexpr int kSysColorCount = 21;
constexpr bool kSysColorBlack[kSysColorCount] = {false, false, false, false, false, false, true,
                                                 true,  true,  true,  true,  false, false, true,
                                                 false, false, true,  true,  true,  true,  false};

struct SavedSysColors {
    bool saved = false;
    COLORREF colors[kSysColorCount] = {};
};

SavedSysColors savedSysColors;

// Positions 0 to half - 1 and 256 - half to 255.
bool isStaticPosition(int i, int half) { return i < half || i >= kPalEntries - half; }

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

void arrangeStatic(HPALETTE palette, PALETTEENTRY* copy, const PALETTEENTRY* system, bool move, int half) {
    for (int i = 0; move && i < kPalEntries; ++i) {
        if (!isStaticPosition(i, half)) continue;
        const UINT j = GetNearestPaletteIndex(palette, entryColor(system[i]));
        if (j != UINT(i) && j < UINT(kPalEntries)) std::swap(copy[i], copy[j]);
    }
    for (int i = 0; i < kPalEntries; ++i) {
        if (!isStaticPosition(i, half)) continue;
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

// Arranges the palette with `half` static entries at each end.
bool arrange(HPALETTE palette, bool move, int half) {
    PALETTEENTRY copy[kPalEntries];
    PALETTEENTRY system[kPalEntries];
    paletteRead(palette, copy);
    readSystemColors(system);
    if (systemIsNoStatic()) arrangeNoStatic(palette, copy, move);
    else arrangeStatic(palette, copy, system, move, half);
    return SetPaletteEntries(palette, 0, kPalEntries, copy) != 0;
}

void setSysColors(const COLORREF* colors) {
    INT elements[kSysColorCount];
    for (int i = 0; i < kSysColorCount; ++i) elements[i] = i;
    SetSysColors(kSysColorCount, elements, colors);
}

bool setSystemPaletteUse(UINT use) {
    HDC screen = GetDC(nullptr);
    const UINT previous = SetSystemPaletteUse(screen, use);
    ReleaseDC(nullptr, screen);
    return previous != SYSPAL_ERROR;
}

}  // namespace

std::int16_t PalArrangeStatic(HPALETTE* palette, std::int16_t move) {
    if (!palette || !*palette) return 0;
    return arrange(*palette, move != 0, kStaticLow) ? 1 : 0;
}

std::int16_t PalCreateAligned(HPALETTE* out, HPALETTE from, std::int16_t move) {
    if (!out) return 0;
    *out = nullptr;
    if (!from) return 0;
    PALETTEENTRY entries[kPalEntries];
    paletteRead(from, entries);
    HPALETTE made = paletteFromEntries(entries, kPalEntries);
    HDC screen = GetDC(nullptr);
    const int half = GetDeviceCaps(screen, NUMRESERVED) / 2;
    ReleaseDC(nullptr, screen);
    if (made && !arrange(made, move != 0, half)) PalDelete(&made);
    *out = made;
    return made ? 1 : 0;
}

std::int16_t PalUseNoStatic() {
    if (!setSystemPaletteUse(SYSPAL_NOSTATIC)) return 0;
    if (!savedSysColors.saved) {
        for (int i = 0; i < kSysColorCount; ++i) savedSysColors.colors[i] = GetSysColor(i);
        savedSysColors.saved = true;
    }
    COLORREF mono[kSysColorCount];
    for (int i = 0; i < kSysColorCount; ++i) mono[i] = kSysColorBlack[i] ? RGB(0, 0, 0) : RGB(255, 255, 255);
    setSysColors(mono);
    return 1;
}

void palRestoreStatic() {
    if (!savedSysColors.saved) return;
    setSystemPaletteUse(SYSPAL_STATIC);
    setSysColors(savedSysColors.colors);
    savedSysColors.saved = false;
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
