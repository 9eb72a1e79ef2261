// QUOMB_32's bitmaps: a "BM" file or a bare bitmap found and checked, copied out, given the system
// colours when it has 8 bits, and its transparency mask built, as a bitmap object does on load.
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzParts.h"
#include "OMDib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    OMDibLayout layout;
    if (findDib(bytes.data(), bytes.size(), layout) != OMBitmapStatus::loaded) return 0;
    FUZZ_CHECK(layout.start + layout.length <= bytes.size());
    FUZZ_CHECK(layout.pixelOffset + layout.pixelBytes <= layout.length);
    FUZZ_CHECK(layout.tableOffset >= kInfoHeaderSize && layout.tableOffset + 4 * layout.tableEntries <= layout.pixelOffset);
    const std::unique_ptr<std::uint8_t[]> dib(new std::uint8_t[layout.length]);
    std::memcpy(dib.get(), bytes.data() + layout.start, layout.length);
    OMColorRecord transparent = {0, 0, 0xFF00, kColorFromComponents};
    if (layout.bitCount == 8) {
        OMColorRecord system[256];
        for (int i = 0; i < 256; ++i) system[i] = colorOf(static_cast<std::uint8_t>(i), 0, 0);
        patchSystemColors(dib.get(), layout, system);
        transparent = {0, 0, 0, 252};
    }
    const std::vector<std::uint8_t> mask = buildDibMask(dib.get(), layout, transparent);
    const std::size_t maskRows = maskRowSize(layout.width) * layout.rows;
    FUZZ_CHECK(mask.size() >= kInfoHeaderSize + 8 + maskRows);
    return 0;
}
