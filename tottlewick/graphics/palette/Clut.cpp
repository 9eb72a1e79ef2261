// CLUTs and their conversion to and from palettes.
#include "Clut.h"

#include <vector>

#include "Palette.h"
#include "PaletteEntries.h"

namespace {

constexpr std::uint32_t kMaxClutEntries = 0x8000;

PALETTEENTRY toEntry(const ClutEntry& entry) {
    return PALETTEENTRY{clutByte(entry.red), clutByte(entry.green), clutByte(entry.blue), PC_RESERVED};
}

}  // namespace

ClutAccess::ClutAccess(MemHandle clut) : clut_(clut) {
    auto* header = clut ? static_cast<ClutHeader*>(MemHandleLock(clut)) : nullptr;
    if (!header) return;
    const std::uint32_t entries = header->size < 0 ? 0 : std::uint32_t(header->size) + 1;
    if (MemHandleGetSize(clut) >= sizeof(ClutHeader) + entries * sizeof(ClutEntry)) {
        header_ = header;
    } else {
        MemHandleUnlock(clut);
    }
}

ClutAccess::~ClutAccess() {
    if (header_) MemHandleUnlock(clut_);
}

std::uint16_t ClutAccess::paletteCount() const {
    const int entries = header_->size + 1;
    return static_cast<std::uint16_t>(entries < 0 ? 0 : entries > kPalEntries ? kPalEntries : entries);
}

std::int16_t ClutCreate(MemHandle* out, std::uint16_t count) {
    if (!out) return 0;
    *out = 0;
    if (count == 0 || count > kMaxClutEntries) return 0;
    const std::uint32_t bytes = sizeof(ClutHeader) + std::uint32_t{count} * sizeof(ClutEntry);
    const MemHandle clut = MemHandleAllocFlags(bytes, kMemZeroFill);
    if (!clut) return 0;
    auto* header = static_cast<ClutHeader*>(MemHandleLock(clut));
    if (!header) {
        MemHandle dead = clut;
        MemHandleFree(&dead);
        return 0;
    }
    header->size = static_cast<std::int16_t>(count - 1);
    auto* entries = reinterpret_cast<ClutEntry*>(header + 1);
    for (std::uint16_t i = 0; i < count; ++i) entries[i].value = i;
    MemHandleUnlock(clut);
    MemHandleSetLabel(clut, kClutLabel, count);
    *out = clut;
    return 1;
}

std::int16_t ClutFree(MemHandle* clut) { return clut && *clut ? MemHandleFree(clut) : 0; }

std::int16_t ClutFromPalette(MemHandle clut, HPALETTE palette) {
    ClutAccess table(clut);
    if (!table) return 0;
    PALETTEENTRY colors[kPalEntries];
    paletteRead(palette, colors);
    const std::uint16_t count = table.paletteCount();
    *table.header() = ClutHeader{0, 0, static_cast<std::int16_t>(count - 1)};
    for (std::uint16_t i = 0; i < count; ++i) {
        table.entries()[i] = ClutEntry{i, clutComponent(colors[i].peRed), clutComponent(colors[i].peGreen),
                                       clutComponent(colors[i].peBlue)};
    }
    return 1;
}

std::int16_t ClutToPalette(HPALETTE palette, MemHandle clut) {
    ClutAccess table(clut);
    if (!table || !palette) return 0;
    PALETTEENTRY colors[kPalEntries];
    const std::uint16_t count = table.paletteCount();
    for (std::uint16_t i = 0; i < count; ++i) colors[i] = toEntry(table.entries()[i]);
    return SetPaletteEntries(palette, 0, count, colors) ? 1 : 0;
}

std::int16_t PalCreateFromClut(HPALETTE* out, MemHandle clut) {
    if (!out) return 0;
    *out = nullptr;
    ClutAccess table(clut);
    if (!table || table.header()->size < 0) return 0;
    std::vector<PALETTEENTRY> colors(std::uint32_t(table.header()->size) + 1);
    for (std::size_t i = 0; i < colors.size(); ++i) colors[i] = toEntry(table.entries()[i]);
    *out = paletteFromEntries(colors.data(), static_cast<std::uint16_t>(colors.size()));
    return *out ? 1 : 0;
}
