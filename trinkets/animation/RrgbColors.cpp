// RRGB colour tables to colour records.
#include "RrgbColors.h"

#include "ByteReader.h"

bool convertColorTable(const std::uint8_t* data, std::size_t size, OMColorRecord* table) {
    ByteReader reader(data, size, ByteOrder::big);
    if (!reader.has(0, kRrgbSize)) return false;
    for (std::size_t i = 0; i < kRrgbEntries; ++i) {
        // Only the high byte of each component counts.
        table[i].red = static_cast<std::uint16_t>(reader.u16() & 0xFF00);
        table[i].green = static_cast<std::uint16_t>(reader.u16() & 0xFF00);
        table[i].blue = static_cast<std::uint16_t>(reader.u16() & 0xFF00);
        table[i].index = kColorFromComponents;
    }
    return true;
}
