// Shared animation palettes: reference-counted 256-colour tables built from RRGB data or given tables, in
// one class-wide list in order of last use whose last record is the current palette. Animations on
// displays deeper than 8 bits draw their colour indices through them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "OMColorRecord.h"

class AOPaletteRecord {
public:
    AOPaletteRecord(const AOPaletteRecord&) = delete;
    AOPaletteRecord& operator=(const AOPaletteRecord&) = delete;

    // A record of the RRGB data (null when the data hold fewer than 256 entries), used once.
    static AOPaletteRecord* createFromRrgb(std::int16_t id, const std::uint8_t* data, std::size_t size);
    // A record of id 0 holding a copy of the 256 entries, used once.
    static AOPaletteRecord* createFromTable(const OMColorRecord* table);
    // Moves the record to the end of the list, where it is current, and adds a reference.
    static void use(AOPaletteRecord* record);
    // The oldest record of that id, used; null when there is none.
    static AOPaletteRecord* find(std::int16_t id);
    // The record used last, or null.
    static AOPaletteRecord* current();
    // One reference less; the last one takes the record out of the list and destroys it. Nothing for a
    // record without references.
    static void release(AOPaletteRecord* record);
    // At program end: the list forgets its records; holders still release theirs.
    static void emptyList();
    static std::size_t listSize();

    std::array<OMColorRecord, 256> colors;
    std::int32_t references = 0;
    std::int16_t id = 0;

private:
    explicit AOPaletteRecord(std::int16_t paletteId) : id(paletteId) {}
};
