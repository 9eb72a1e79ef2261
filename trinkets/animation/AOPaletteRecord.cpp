// The class-wide list of shared animation palettes.
#include "AOPaletteRecord.h"

#include <algorithm>
#include <vector>

#include "RrgbColors.h"

namespace {

// Oldest use first; the last is the current palette.
std::vector<AOPaletteRecord*>& palettes() {
    static std::vector<AOPaletteRecord*> list;
    return list;
}

void forget(AOPaletteRecord* record) {
    auto& list = palettes();
    list.erase(std::remove(list.begin(), list.end(), record), list.end());
}

}  // namespace

AOPaletteRecord* AOPaletteRecord::createFromRrgb(std::int16_t id, const std::uint8_t* data, std::size_t size) {
    auto* record = new AOPaletteRecord(id);
    if (!convertColorTable(data, size, record->colors.data())) {
        delete record;
        return nullptr;
    }
    use(record);
    return record;
}

AOPaletteRecord* AOPaletteRecord::createFromTable(const OMColorRecord* table) {
    auto* record = new AOPaletteRecord(0);
    std::copy(table, table + record->colors.size(), record->colors.begin());
    use(record);
    return record;
}

void AOPaletteRecord::use(AOPaletteRecord* record) {
    forget(record);
    palettes().push_back(record);
    ++record->references;
}

AOPaletteRecord* AOPaletteRecord::find(std::int16_t id) {
    for (AOPaletteRecord* record : palettes()) {
        if (record->id == id) {
            use(record);
            return record;
        }
    }
    return nullptr;
}

AOPaletteRecord* AOPaletteRecord::current() { return palettes().empty() ? nullptr : palettes().back(); }

void AOPaletteRecord::release(AOPaletteRecord* record) {
    if (!record || record->references == 0) return;
    if (--record->references != 0) return;
    forget(record);
    delete record;
}

void AOPaletteRecord::emptyList() { palettes().clear(); }

std::size_t AOPaletteRecord::listSize() { return palettes().size(); }
