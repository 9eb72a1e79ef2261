// The fixed system colours, the palette split and colour values for GDI.
#include "OMColorTable.h"

namespace {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// Entries 0-9, then 246-255.
constexpr Rgb kLowColors[kStaticEntriesLow] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},
    {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {164, 200, 240},
};
constexpr Rgb kHighColors[kPaletteSize - kStaticEntriesHigh] = {
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255},
};

std::uint8_t high(std::uint16_t component) { return static_cast<std::uint8_t>(component >> 8); }

OMPaletteEntry entryOf(const OMColorRecord& record, std::uint8_t flags) {
    return {high(record.red), high(record.green), high(record.blue), flags};
}

void staticEntries(const OMColorRecord* systemTable, OMPaletteEntry* entries) {
    for (int i = 0; i < kPaletteSize; ++i) {
        if (isStaticEntry(i)) entries[i] = entryOf(systemTable[i], 0);
    }
}

std::uint32_t paletteRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return 0x02000000u | static_cast<std::uint32_t>(blue) << 16 | static_cast<std::uint32_t>(green) << 8 | red;
}

}  // namespace

void fixedSystemColorTable(OMColorRecord* table) {
    for (int i = 0; i < kPaletteSize; ++i) table[i] = OMColorRecord{};
    for (int i = 0; i < kStaticEntriesLow; ++i) {
        table[i] = colorOf(kLowColors[i].red, kLowColors[i].green, kLowColors[i].blue);
    }
    for (int i = kStaticEntriesHigh; i < kPaletteSize; ++i) {
        const Rgb& c = kHighColors[i - kStaticEntriesHigh];
        table[i] = colorOf(c.red, c.green, c.blue);
    }
    table[kPaletteSize - 1] = {0xFFFF, 0xFFFF, 0xFFFF, kColorFromComponents};
}

void initialPaletteEntries(const OMColorRecord* systemTable, OMPaletteEntry* entries) {
    staticEntries(systemTable, entries);
    for (int i = kStaticEntriesLow; i < kStaticEntriesHigh; ++i) entries[i] = {0, 0, 0, kPaletteReserved};
}

void programPaletteEntries(const OMColorRecord* systemTable, const OMColorRecord* given, OMPaletteEntry* entries) {
    staticEntries(systemTable, entries);
    for (int i = kStaticEntriesLow; i < kStaticEntriesHigh; ++i) {
        OMPaletteEntry& e = entries[i] = entryOf(given[i], kPaletteReserved);
        if (e.red == 0 && e.green == 0 && e.blue == 0) e.red = e.green = e.blue = 1;
        if (e.red == 255 && e.green == 255 && e.blue == 255) e.red = e.green = e.blue = 254;
    }
}

OMColorRecord recordOf(const OMPaletteEntry& entry) { return colorOf(entry.red, entry.green, entry.blue); }

std::uint32_t colorRefFor(const OMColorRecord& color, std::int32_t depth, const OMPaletteEntry& indexed) {
    if (color.index == kColorFromComponents) return paletteRgb(high(color.red), high(color.green), high(color.blue));
    if (color.index < kColorFromComponents) return 0xFFFFFFFFu;
    if (depth > 8) return paletteRgb(indexed.red, indexed.green, indexed.blue);
    return 0x01000000u | (static_cast<std::uint32_t>(color.index) & 0xFFFF);
}

void dibColorMasks(std::int32_t depth, std::uint32_t& red, std::uint32_t& green, std::uint32_t& blue) {
    red = green = blue = 0;
    if (depth == 16) {
        red = 0x7C00;
        green = 0x03E0;
        blue = 0x001F;
    } else if (depth == 24 || depth == 32) {
        red = 0xFF0000;
        green = 0x00FF00;
        blue = 0x0000FF;
    }
}
