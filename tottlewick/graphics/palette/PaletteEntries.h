// Small helpers shared by the palette code: making a palette from entries and reading all of one.
#pragma once

#include <windows.h>

#include <cstdint>

// The display keeps its static colours at positions 0-9 and 246-255.
constexpr int kStaticLow = 10;
constexpr int kStaticHigh = 246;

// A palette of `count` entries (CreatePalette); null on failure.
HPALETTE paletteFromEntries(const PALETTEENTRY* entries, std::uint16_t count);
// Reads up to 256 entries; entries the palette lacks stay zero. Returns the number read.
std::uint32_t paletteRead(HPALETTE palette, PALETTEENTRY* entries);
// The entry as 0x00BBGGRR.
std::uint32_t entryColor(const PALETTEENTRY& entry);

// The built-in 16-colour table (red, green, blue; flags 0).
extern const PALETTEENTRY kSixteenColors[16];
