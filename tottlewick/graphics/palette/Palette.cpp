// The palette manager's state, palette creation and deletion, and colour lookup.
#include "Palette.h"

#include <algorithm>

#include "CanvasPalette.h"
#include "ColorMatch.h"
#include "PalFade.h"
#include "PaletteEntries.h"

namespace {

constexpr std::uint16_t kNearestFirst = 10;
constexpr std::uint16_t kNearestLast = 245;

struct PaletteManager {
    bool running = false;
    HPALETTE current = nullptr;
    const void* displayColors = nullptr;
};

PaletteManager manager;

// Leaves the system palette in a known state: 256 greys realised as the screen's foreground palette.
void resetSystemPalette() {
    PALETTEENTRY greys[kPalEntries];
    for (int i = 0; i < kPalEntries; ++i) greys[i] = PALETTEENTRY{BYTE(i), BYTE(i), BYTE(i), PC_RESERVED};
    HPALETTE grey = paletteFromEntries(greys, kPalEntries);
    if (!grey) return;
    HDC screen = GetDC(nullptr);
    HPALETTE old = SelectPalette(screen, grey, FALSE);
    RealizePalette(screen);
    SelectPalette(screen, old, FALSE);
    ReleaseDC(nullptr, screen);
    DeleteObject(grey);
}

HPALETTE systemPalette() {
    PALETTEENTRY entries[kPalEntries] = {};
    HDC screen = GetDC(nullptr);
    GetSystemPaletteEntries(screen, 0, kPalEntries, entries);
    ReleaseDC(nullptr, screen);
    for (PALETTEENTRY& entry : entries) entry.peFlags = PC_RESERVED;
    return paletteFromEntries(entries, kPalEntries);
}

}  // namespace

std::int16_t PalMgrInit() {
    if (manager.running) return 0;
    resetSystemPalette();
    manager.running = true;
    manager.displayColors = nullptr;
    return 1;
}

std::int16_t PalMgrTerm() {
    if (!manager.running) return 0;
    palFadeRelease();
    palRestoreStatic();
    PalDelete(&manager.current);
    manager.current = nullptr;
    manager.displayColors = nullptr;
    manager.running = false;
    return 1;
}

HPALETTE PalSetCurrent(HPALETTE palette) {
    if (!manager.running) return nullptr;
    const HPALETTE previous = manager.current;
    manager.current = palette ? palette : systemPalette();
    CanvasSwitchPalette(previous, manager.current, kCanvasFilterAll);
    return previous;
}

HPALETTE PalGetCurrent() { return manager.current; }

const void* PalSetDisplayColors(const void* colors) {
    const void* previous = manager.displayColors;
    manager.displayColors = colors;
    return previous;
}

const void* PalGetDisplayColors() { return manager.displayColors; }

std::int16_t PalCreateFromLog(HPALETTE* out, MemHandle logPalette) {
    if (!out) return 0;
    *out = nullptr;
    auto* log = logPalette ? static_cast<LOGPALETTE*>(MemHandleLock(logPalette)) : nullptr;
    if (!log) return 0;
    const std::uint32_t needed = 4 + std::uint32_t{log->palNumEntries} * sizeof(PALETTEENTRY);
    if (MemHandleGetSize(logPalette) >= needed) *out = CreatePalette(log);
    MemHandleUnlock(logPalette);
    return *out ? 1 : 0;
}

std::int16_t PalDelete(HPALETTE* palette) {
    if (!palette || !*palette) return 0;
    UnrealizeObject(*palette);
    if (!DeleteObject(*palette)) return 0;
    *palette = nullptr;
    return 1;
}

std::int16_t PalAllocLog(MemHandle* out, std::uint16_t count) {
    if (!out) return 0;
    *out = MemHandleAllocFlags(4 + std::uint32_t{count} * sizeof(PALETTEENTRY), kMemZeroFill);
    auto* log = *out ? static_cast<LOGPALETTE*>(MemHandleLock(*out)) : nullptr;
    if (!log) return 0;
    log->palVersion = 0x300;
    log->palNumEntries = count;
    MemHandleUnlock(*out);
    return 1;
}

std::uint16_t PalEntryCount(HPALETTE palette) { return palette ? kPalEntries : 0; }

std::uint16_t PalGetStaticCount() {
    HDC screen = GetDC(nullptr);
    const bool hasStatic = GetSystemPaletteUse(screen) == SYSPAL_STATIC;
    const std::uint16_t count = hasStatic ? static_cast<std::uint16_t>(GetDeviceCaps(screen, NUMRESERVED)) : 2;
    ReleaseDC(nullptr, screen);
    return count;
}

std::uint32_t PalGetEntryColor(HPALETTE palette, std::uint16_t index) {
    if (!palette) palette = manager.current;
    PALETTEENTRY entry{};
    if (!palette || !GetPaletteEntries(palette, index, 1, &entry)) return 0;
    return entryColor(entry);
}

std::uint32_t PalNearestColor(HPALETTE palette, std::uint32_t colour, std::int16_t exact, std::uint16_t first,
                              std::uint16_t last) {
    if ((colour >> 24) == 1) return colour & 0xFFFFFF;
    if (!palette) palette = manager.current;
    if (!palette || last < first) return 0;
    // An entry past the palette's end reads as 0 and ends the search, so one zero after the entries that
    // were read stands for all the rest.
    const std::uint32_t wanted = std::uint32_t{last} - first + 1;
    const std::uint32_t readable = first < kPalEntries ? std::min<std::uint32_t>(wanted, kPalEntries - first) : 0;
    PALETTEENTRY entries[kPalEntries] = {};
    const std::uint32_t read = readable ? GetPaletteEntries(palette, first, readable, entries) : 0;
    std::uint32_t colors[kPalEntries + 1] = {};
    for (std::uint32_t i = 0; i < read; ++i) colors[i] = entryColor(entries[i]);
    const std::uint32_t count = std::min(wanted, read + 1);
    return colorNearestIndex(colors, first, count, colour, exact != 0);
}

std::uint8_t PalNearestIndex(HPALETTE palette, std::uint32_t colour, std::int16_t exact) {
    return static_cast<std::uint8_t>(PalNearestColor(palette, colour, exact, kNearestFirst, kNearestLast));
}
