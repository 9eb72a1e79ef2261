// 'DIB' colour tables and the palettes made from them.
#include "DibColors.h"

#include <cstring>

#include "DibFile.h"
#include "Palette.h"
#include "PaletteEntries.h"
#include "PrsFile.h"
#include "Res.h"

namespace {

constexpr int kStaticLow = 10;
constexpr int kStaticHigh = 246;

// Locks a colour-table block and checks that its entries lie inside it.
class ColorTableAccess {
public:
    explicit ColorTableAccess(MemHandle table) : table_(table) {
        auto* head = table ? static_cast<DibColorTableHead*>(MemHandleLock(table)) : nullptr;
        if (!head) return;
        if (MemHandleGetSize(table) >= sizeof(DibColorTableHead) + std::uint32_t{head->count} * 4) head_ = head;
        else MemHandleUnlock(table);
    }
    ~ColorTableAccess() {
        if (head_) MemHandleUnlock(table_);
    }
    ColorTableAccess(const ColorTableAccess&) = delete;
    ColorTableAccess& operator=(const ColorTableAccess&) = delete;

    explicit operator bool() const { return head_ != nullptr; }
    std::uint16_t count() const { return head_->count; }
    const std::uint8_t* entry(std::uint16_t i) const {
        return reinterpret_cast<const std::uint8_t*>(head_ + 1) + i * 4;
    }

private:
    MemHandle table_;
    DibColorTableHead* head_ = nullptr;
};

PALETTEENTRY paletteColor(const std::uint8_t* bgr) {
    const BYTE blue = bgr[0], green = bgr[1], red = bgr[2];
    if (red == 0 && green == 0 && blue == 0) return PALETTEENTRY{8, 8, 8, PC_RESERVED};
    if (red > 254 && green > 254 && blue > 254) return PALETTEENTRY{247, 247, 247, PC_RESERVED};
    return PALETTEENTRY{red, green, blue, PC_RESERVED};
}

void installStatic(HPALETTE palette, const ColorTableAccess& statics) {
    PALETTEENTRY entries[kPalEntries];
    paletteRead(palette, entries);
    for (std::uint16_t i = 0; i < statics.count() && i < kPalEntries; ++i) {
        if (i >= kStaticLow && i < kStaticHigh) continue;
        const std::uint8_t* bgr = statics.entry(i);
        entries[i] = PALETTEENTRY{bgr[2], bgr[1], bgr[0], 0};
    }
    SetPaletteEntries(palette, 0, kPalEntries, entries);
}

}  // namespace

MemHandle PalLoadDibColors(std::uint16_t id) {
    MemHandle dib = ResLoad(resType("DIB"), id);
    if (!dib) return 0;
    const MemHandle table = DibGetColorTable(dib);
    ResReleaseHandle(&dib);
    return table;
}

MemHandle DibGetColorTable(MemHandle dib) {
    const void* data = dib ? MemHandleLock(dib) : nullptr;
    if (!data) return 0;
    DibFileColors colors;
    MemHandle table = 0;
    if (dibFileReadColors(data, MemHandleGetSize(dib), &colors)) {
        table = MemHandleAllocFlags(sizeof(DibColorTableHead) + std::uint32_t{colors.count} * 4, kMemZeroFill);
        auto* head = table ? static_cast<DibColorTableHead*>(MemHandleLock(table)) : nullptr;
        if (head) {
            head->count = colors.count;
            std::memcpy(head + 1, colors.entries, std::size_t{colors.count} * 4);
            MemHandleUnlock(table);
        } else if (table) {
            MemHandleFree(&table);
        }
    }
    MemHandleUnlock(dib);
    return table;
}

std::int16_t PalCreateFromDibColors(MemHandle colorTable, HPALETTE* out) {
    if (!out) return 0;
    *out = nullptr;
    ColorTableAccess table(colorTable);
    if (!table || table.count() == 0 || table.count() > kPalEntries) return 0;
    PALETTEENTRY entries[kPalEntries];
    for (std::uint16_t i = 0; i < table.count(); ++i) entries[i] = paletteColor(table.entry(i));
    *out = paletteFromEntries(entries, table.count());
    return *out ? 1 : 0;
}

std::int16_t PalCreateFromColors(MemHandle colorTable, HPALETTE* out, MemHandle staticColors) {
    if (!PalCreateFromDibColors(colorTable, out)) return 0;
    if (!staticColors) {
        PalArrangeStatic(out, 0);
        return 1;
    }
    ColorTableAccess statics(staticColors);
    if (statics) installStatic(*out, statics);
    return 1;
}
