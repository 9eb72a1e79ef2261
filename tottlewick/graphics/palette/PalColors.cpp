// Palette entries compared: the remap of one palette's entries to another's, and palettes whose entries
// are all distinct, so that realising them on an 8-bit display maps no two entries together.
#include <algorithm>

#include "Palette.h"
#include "PaletteEntries.h"

namespace {

constexpr int kMaxSteps = 255;  // from one end of a component to the other

void blacken(PALETTEENTRY& entry) { entry.peRed = entry.peGreen = entry.peBlue = 0; }

bool sameColour(const PALETTEENTRY& a, const PALETTEENTRY& b) {
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

bool nearWhite(const PALETTEENTRY& e) { return e.peRed >= 240 && e.peGreen >= 240 && e.peBlue >= 240; }

BYTE stepped(BYTE component, int step) { return static_cast<BYTE>(std::clamp(component + step, 0, 255)); }

// True when entry i repeats an entry already settled: an earlier one or a static one.
bool repeats(const PALETTEENTRY* entries, int i) {
    for (int j = 0; j < kPalEntries; ++j) {
        if ((j < i || j >= kStaticHigh) && sameColour(entries[i], entries[j])) return true;
    }
    return false;
}

// Steps entry i away from the colours settled before it, always the same way, at most across the range.
void makeUnique(PALETTEENTRY* entries, int i) {
    PALETTEENTRY& e = entries[i];
    const int step = nearWhite(e) ? -1 : 1;
    for (int n = 0; n < kMaxSteps && repeats(entries, i); ++n) {
        e.peRed = stepped(e.peRed, step);
        e.peGreen = stepped(e.peGreen, step);
        e.peBlue = stepped(e.peBlue, step);
    }
}

bool eightBitDisplay() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return bits == 8;
}

}  // namespace

std::int16_t PalBuildRemap(std::uint8_t* map, HPALETTE from, HPALETTE to, std::int16_t mode) {
    if (!map || !from || !to) return 0;
    PALETTEENTRY source[kPalEntries];
    PALETTEENTRY target[kPalEntries];
    paletteRead(from, source);
    paletteRead(to, target);
    for (int i = 0; i < kPalEntries; ++i) {
        const bool statics = mode == 0 && (i < kStaticLow || i >= kStaticHigh);
        if (statics || i == 0 || i == kPalEntries - 1) blacken(target[i]);
    }
    HPALETTE copy = paletteFromEntries(target, kPalEntries);
    if (!copy) return 0;
    for (int i = 0; i < kPalEntries; ++i) {
        map[i] = static_cast<std::uint8_t>(GetNearestPaletteIndex(copy, entryColor(source[i])));
    }
    DeleteObject(copy);
    return 1;
}

std::int16_t PalMakeUnique(HPALETTE palette) {
    if (!palette || !eightBitDisplay()) return 0;
    PALETTEENTRY entries[kPalEntries];
    paletteRead(palette, entries);
    for (int i = kStaticLow; i < kStaticHigh; ++i) makeUnique(entries, i);
    return SetPaletteEntries(palette, 0, kPalEntries, entries) ? 1 : 0;
}
