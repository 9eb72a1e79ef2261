// The palette manager: the one current GDI palette that every canvas shares, stock palettes, the
// system's static colours, and nearest-colour lookup.
#pragma once

#include <windows.h>

#include <cstdint>

#include "MemHandle.h"

// Kinds of PalCreateStock: the low 15 bits choose the content; kPalArrange also arranges the static
// colours of a 256-entry palette.
constexpr std::uint16_t kPalStockColors256 = 0;
constexpr std::uint16_t kPalStockColors16 = 1;
constexpr std::uint16_t kPalStockBlack = 2;
constexpr std::uint16_t kPalStockWhite = 3;
constexpr std::uint16_t kPalStockGrey = 4;
constexpr std::uint16_t kPalArrange = 0x8000;

constexpr int kPalEntries = 256;
// A PALETTEINDEX colour value: top byte 1, the index in the low bits.
constexpr std::uint32_t kPalIndexTag = 0x01000000;

std::int16_t PalMgrInit();
std::int16_t PalMgrTerm();
// 0 builds a palette from the system palette. Switches every canvas that used the previous palette and
// returns it (0 when the manager is not running).
HPALETTE PalSetCurrent(HPALETTE palette);
HPALETTE PalGetCurrent();
const void* PalSetDisplayColors(const void* colors);
const void* PalGetDisplayColors();

std::int16_t PalCreateStock(HPALETTE* out, std::uint16_t kind);
// The buffer is a logical palette (PalAllocLog).
std::int16_t PalCreateFromLog(HPALETTE* out, MemHandle logPalette);
std::int16_t PalDelete(HPALETTE* palette);
// A handle holding a LOGPALETTE of `count` entries: version 0x300, count, then the entries.
std::int16_t PalAllocLog(MemHandle* out, std::uint16_t count);
std::uint16_t PalEntryCount(HPALETTE palette);
std::uint16_t PalGetStaticCount();

// The static positions (0-9 and 246-255) take the system's colours; with `move`, the entries nearest to
// them are first moved there.
std::int16_t PalArrangeStatic(HPALETTE* palette, std::int16_t move);
// Moves entries 0-235 to 10-245 and arranges the static colours; map[i] = i + 10 when given.
std::int16_t PalShiftToMiddle(HPALETTE* palette, std::uint8_t* map);
// A new palette of the entries of `from`, arranged as PalArrangeStatic does but with half the display's
// reserved colours (NUMRESERVED / 2) at each end.
std::int16_t PalCreateAligned(HPALETTE* out, HPALETTE from, std::int16_t move);
// Switches the system palette to no static colours (SYSPAL_NOSTATIC) and the 21 system colours to black
// or white, saving them; 0 when the display has no palette.
std::int16_t PalUseNoStatic();
// Gives back the static colours and the system colours saved by PalUseNoStatic; the palette manager
// calls it when it stops.
void palRestoreStatic();

// map[i] = the entry of `to` nearest to entry i of `from`, with entries 0-9 and 246-255 (mode 0) or 0 and
// 255 (other modes) of `to` taken as black.
std::int16_t PalBuildRemap(std::uint8_t* map, HPALETTE from, HPALETTE to, std::int16_t mode);
// On an 8-bit display, steps every entry of 10-245 that repeats an earlier or a static entry's colour by
// one in each component (down for near-white, up for the rest) until it is unique.
std::int16_t PalMakeUnique(HPALETTE palette);

// Palette 0 means the current palette.
std::uint32_t PalGetEntryColor(HPALETTE palette, std::uint16_t index);
std::uint32_t PalNearestColor(HPALETTE palette, std::uint32_t colour, std::int16_t exact, std::uint16_t first,
                              std::uint16_t last);
std::uint8_t PalNearestIndex(HPALETTE palette, std::uint32_t colour, std::int16_t exact);
