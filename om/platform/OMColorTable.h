// The shared 256-entry palette's rules without GDI: the fixed system colours, the split between the
// display's static entries and the program's own, and the GDI colour value of a colour record.
#pragma once

#include <cstdint>

#include "OMColorRecord.h"

inline constexpr int kPaletteSize = 256;
// Entries 0-9 and 246-255 belong to the display; 10-245 are the program's.
inline constexpr int kStaticEntriesLow = 10;
inline constexpr int kStaticEntriesHigh = 246;
// The palette flag of the program's entries (PC_RESERVED).
inline constexpr std::uint8_t kPaletteReserved = 0x01;

// One logical palette entry, laid out as the system's PALETTEENTRY.
struct OMPaletteEntry {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::uint8_t flags;
};

inline bool isStaticEntry(int index) { return index < kStaticEntriesLow || index >= kStaticEntriesHigh; }

// The 20 static colours of the standard 256-colour display at entries 0-9 and 246-255 (each component
// v stored as v << 8, entry 255 as 0xFFFF), every other record zero; all by components.
void fixedSystemColorTable(OMColorRecord* table);

// A new canvas's palette: the static entries from the system table (flags 0), the program's entries
// black and reserved.
void initialPaletteEntries(const OMColorRecord* systemTable, OMPaletteEntry* entries);

// The palette after replacing the program's colours: static entries from the system table, 10-245 from
// `given` (high bytes; indices not read) with pure black stored as (1, 1, 1) and pure white as
// (254, 254, 254), so the program's entries never duplicate the display's black and white.
void programPaletteEntries(const OMColorRecord* systemTable, const OMColorRecord* given, OMPaletteEntry* entries);

// The record of a palette entry: components << 8, by components.
OMColorRecord recordOf(const OMPaletteEntry& entry);

// The GDI colour value of a record on a canvas of `depth` bits: PALETTERGB for components,
// PALETTEINDEX for an index, 0xFFFFFFFF for no colour or an invalid one. On a canvas deeper than 8 bits
// an index gives the PALETTERGB of `indexed`, the canvas's palette entry (index & 0xFF).
std::uint32_t colorRefFor(const OMColorRecord& color, std::int32_t depth, const OMPaletteEntry& indexed);

// The red, green and blue bit masks of an uncompressed DIB of `depth` bits (5-5-5 at 16 bits, 8-8-8
// at 24 and 32); all 0 for palette depths.
void dibColorMasks(std::int32_t depth, std::uint32_t& red, std::uint32_t& green, std::uint32_t& blue);
