// Colour tables (CLUTs): memory handles labelled "CLUT" holding 16-bit colour components, the working
// form of palettes during fades.
#pragma once

#include <windows.h>

#include <cstdint>

#include "MemHandle.h"

// In memory, in the machine's byte order:
//
//   offset 0      4       6       8                                     8 + 8 x (size + 1)
//          +------+-------+-------+-------------------------------------+
//          | seed | flags | size  | entries: value (index), red, green, |
//          | u32  | u16   | i16   | blue, each u16 (c x 257)            |
//          +------+-------+-------+-------------------------------------+
struct ClutEntry {
    std::uint16_t value;
    std::uint16_t red;
    std::uint16_t green;
    std::uint16_t blue;
};

struct ClutHeader {
    std::uint32_t seed;
    std::uint16_t flags;
    std::int16_t size;  // entries - 1
};

constexpr char kClutLabel[] = "CLUT";

// A component byte stored in both halves of a 16-bit value, and read back from the high byte.
constexpr std::uint16_t clutComponent(std::uint8_t c) { return static_cast<std::uint16_t>(c * 257); }
constexpr std::uint8_t clutByte(std::uint16_t c) { return static_cast<std::uint8_t>(c >> 8); }

// A CLUT of `count` entries (1 to 32768): values 0 to count - 1, colours black.
std::int16_t ClutCreate(MemHandle* out, std::uint16_t count);
std::int16_t ClutFree(MemHandle* clut);
// The first min(entries, 256) entries from the palette; the CLUT's size becomes that count - 1.
std::int16_t ClutFromPalette(MemHandle clut, HPALETTE palette);
std::int16_t ClutToPalette(HPALETTE palette, MemHandle clut);
std::int16_t PalCreateFromClut(HPALETTE* out, MemHandle clut);

// Locks a CLUT for the lifetime of the object and gives its entries; false for a null handle, or one
// whose block cannot hold the entries its size claims.
class ClutAccess {
public:
    explicit ClutAccess(MemHandle clut);
    ~ClutAccess();
    ClutAccess(const ClutAccess&) = delete;
    ClutAccess& operator=(const ClutAccess&) = delete;

    explicit operator bool() const { return header_ != nullptr; }
    ClutHeader* header() const { return header_; }
    ClutEntry* entries() const { return reinterpret_cast<ClutEntry*>(header_ + 1); }
    // Entries the CLUT holds, at most 256: the ones that go to and from a palette.
    std::uint16_t paletteCount() const;

private:
    MemHandle clut_;
    ClutHeader* header_ = nullptr;
};
