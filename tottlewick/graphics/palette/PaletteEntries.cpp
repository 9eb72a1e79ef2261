// Palettes built from entry arrays through one LOGPALETTE layout.
#include "PaletteEntries.h"

#include <vector>

#include "Palette.h"

HPALETTE paletteFromEntries(const PALETTEENTRY* entries, std::uint16_t count) {
    std::vector<std::uint8_t> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count);
    auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log->palVersion = 0x300;
    log->palNumEntries = count;
    for (std::uint16_t i = 0; i < count; ++i) log->palPalEntry[i] = entries[i];
    return CreatePalette(log);
}

std::uint32_t paletteRead(HPALETTE palette, PALETTEENTRY* entries) {
    for (int i = 0; i < kPalEntries; ++i) entries[i] = PALETTEENTRY{};
    return palette ? GetPaletteEntries(palette, 0, kPalEntries, entries) : 0;
}

std::uint32_t entryColor(const PALETTEENTRY& entry) { return RGB(entry.peRed, entry.peGreen, entry.peBlue); }
