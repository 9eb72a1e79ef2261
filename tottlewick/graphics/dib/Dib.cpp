// DIB handles. A new DIB's image is sized as stride x height, so fills and copies of 1- and 4-bit DIBs,
// whose rows are padded beyond width x bit count / 8, stay inside the block.
#include "Dib.h"

#include <cstring>

namespace {

// The colour table as 16-bit slots.
std::uint16_t* indexTable(DibHeader* header) {
    return reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(header) + kDibHeaderSize);
}

RGBQUAD* colorTable(DibHeader* header) {
    return reinterpret_cast<RGBQUAD*>(reinterpret_cast<std::uint8_t*>(header) + kDibHeaderSize);
}

// The entries the colour table describes: the colours used, or 2 to the bit count; at most 256.
std::uint32_t tableEntries(const DibHeader* header) {
    const std::uint32_t count = header->colorsUsed ? header->colorsUsed : 1u << header->bitCount;
    return count < kDibColorSlots ? count : kDibColorSlots;
}

}  // namespace

std::int16_t DibCreate(MemHandle* out, std::uint16_t bitCount, std::int16_t width, std::int16_t height) {
    if (!out) return 0;
    *out = 0;
    if (width <= 0 || height <= 0) return 0;
    DibHeader header{};
    header.size = kDibHeaderSize;
    header.width = (width + 3) & ~3;
    header.height = height;
    header.planes = 1;
    header.bitCount = bitCount;
    header.imageSize = DibStride(&header) * static_cast<std::uint32_t>(height);
    const MemHandle dib = MemHandleAllocFlags(header.imageSize + kDibPixelOffset, kMemZeroFill);
    auto* stored = dib ? static_cast<DibHeader*>(MemHandleLock(dib)) : nullptr;
    if (!stored) return 0;
    *stored = header;
    if (bitCount <= 8) {
        for (std::uint16_t i = 0; i < kDibColorSlots; ++i) indexTable(stored)[i] = i;
    }
    MemHandleUnlock(dib);
    *out = dib;
    return 1;
}

std::int16_t DibFree(MemHandle* dib) { return MemHandleFree(dib); }

std::int16_t DibSetColorTable(DibHeader* header, HPALETTE palette, std::uint16_t mode) {
    if (header->bitCount > 8) return 1;
    const std::uint32_t count = tableEntries(header);
    if (mode == kDibTableIndices) {
        for (std::uint32_t i = 0; i < count; ++i) indexTable(header)[i] = static_cast<std::uint16_t>(i);
        return 1;
    }
    PALETTEENTRY entries[kDibColorSlots] = {};
    GetPaletteEntries(palette, 0, count, entries);
    for (std::uint32_t i = 0; i < count; ++i) {
        colorTable(header)[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    }
    return 1;
}

std::int16_t DibSetColorTableFromPalette(MemHandle dib, HPALETTE palette, std::uint16_t mode) {
    auto* header = dib ? static_cast<DibHeader*>(MemHandleLock(dib)) : nullptr;
    if (!header) return 0;
    std::int16_t result = 0;
    if (header->bitCount <= 8) {
        result = DibSetColorTable(header, palette ? palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)),
                                  mode);
    }
    MemHandleUnlock(dib);
    return result;
}

std::int16_t DibStretchDraw(HDC dc, int x, int y, int width, int height, MemHandle dib, int sourceX, int sourceY,
                            int sourceWidth, int sourceHeight, DWORD rasterOp, UINT colorUse) {
    auto* header = dib ? static_cast<DibHeader*>(MemHandleLock(dib)) : nullptr;
    if (!header) return PatBlt(dc, x, y, width, height, rasterOp) ? 1 : 0;
    if (sourceWidth == -1 && sourceHeight == -1) {
        sourceWidth = header->width;
        sourceHeight = header->height;
    }
    if (width < 0 && height < 0) {
        width = -width * sourceWidth;
        height = -height * sourceHeight;
    }
    const std::uint32_t pixelOffset =
        header->bitCount == 8 ? kDibPixelOffset : kDibHeaderSize + header->colorsUsed * 4;
    const int lines = StretchDIBits(dc, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight,
                                    reinterpret_cast<std::uint8_t*>(header) + pixelOffset,
                                    reinterpret_cast<BITMAPINFO*>(header), colorUse, rasterOp);
    MemHandleUnlock(dib);
    return lines > 0 ? 1 : 0;
}
