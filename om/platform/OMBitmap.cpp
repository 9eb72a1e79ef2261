// Loading bitmaps from resources and streams, their colour tables and masks.
#include "OMBitmap.h"

#include <cstring>

#include "OMCanvas.h"
#include "OMIStreamRes.h"

OMBitmap::OMBitmap(std::int16_t resourceNumber, OMResFile* file) {
    OMIStreamRes stream(resourceNumber, "BITMAP", file, kStreamWhole, nullptr);
    status = load(stream);
}

OMBitmap::OMBitmap(OMIStream& stream) {
    if (stream.whole) status = load(stream);
}

OMBitmap::~OMBitmap() = default;

OMBitmapStatus OMBitmap::load(OMIStream& stream) {
    mask.clear();
    dib.reset();
    stream.seek(0);
    const std::int32_t count = stream.read();
    const OMBitmapStatus found =
        findDib(stream.current, count > 0 ? static_cast<std::size_t>(count) : 0, layout);
    if (found != OMBitmapStatus::loaded) return found;
    bitmapHeight = layout.height;
    bitmapWidth = layout.width;
    bitCount = layout.bitCount;
    dib.reset(new std::uint8_t[layout.length]);
    std::memcpy(dib.get(), stream.current + layout.start, layout.length);
    if (bitCount == 8) {
        OMColorRecord system[kPaletteSize];
        buildSystemColorTable(system);
        patchSystemColors(dib.get(), layout, system);
        transparentColor = {0, 0, 0, 252};
    } else {
        transparentColor = {0, 0, 0xFF00, kColorFromComponents};
    }
    return OMBitmapStatus::loaded;
}

void OMBitmap::buildMask() {
    if (dib) mask = buildDibMask(dib.get(), layout, transparentColor);
}

const std::uint8_t* OMBitmap::maskPixels() const {
    return mask.empty() ? nullptr : mask.data() + kInfoHeaderSize + 2 * 4;
}

bool OMBitmap::getColorTable(OMColorRecord* table) const {
    if (!dib) return false;
    const std::uint32_t count = dibColorsUsed(dib.get());
    const std::uint8_t* entry = dib.get() + layout.tableOffset;
    for (std::uint32_t i = 0; i < count && i < layout.tableEntries && i < kPaletteSize; ++i, entry += 4) {
        table[i] = colorOf(entry[2], entry[1], entry[0]);
    }
    return count > 0;
}
