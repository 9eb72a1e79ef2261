// Bitmap data checks, system colours and the transparency mask.
#include "OMDib.h"

#include <algorithm>

#include "ByteReader.h"
#include "ByteWriter.h"
#include "OMColorTable.h"

namespace {

constexpr std::uint16_t kFileMarker = 0x4D42;  // "BM"
constexpr std::size_t kClrUsedOffset = 32;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::size_t kBitFieldMasksSize = 3 * 4;  // red, green and blue masks after the info header
// Run-length codes do not bound the picture they decode to (a row end covers any width), so the picture's
// rows are capped instead: 16 MiB, a 4096 x 4096 picture at 8 bits.
constexpr std::uint64_t kMaxDecodedBytes = std::uint64_t{1} << 24;

bool knownBitCount(std::int32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool drawableCompression(std::uint32_t compression, std::int32_t bits) {
    return compression == 0 || (compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4) ||
           (compression == kBitFields && (bits == 16 || bits == 32));
}

bool runLengthCoded(std::uint32_t compression) { return compression == kRle8 || compression == kRle4; }

// Reads and checks the info header at the start of `dib`.
OMBitmapStatus readInfoHeader(const ByteReader& dib, OMDibLayout& layout) {
    std::uint32_t headerSize = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t colorsUsed = 0;
    if (!dib.u32At(0, headerSize) || !dib.u32At(4, width) || !dib.u32At(8, height) || !dib.u16At(14, bitCount) ||
        !dib.u32At(16, compression) || !dib.u32At(20, imageSize) || !dib.u32At(kClrUsedOffset, colorsUsed) ||
        dib.size() < kInfoHeaderSize) {
        return OMBitmapStatus::damaged;
    }
    layout.width = static_cast<std::int32_t>(width);
    layout.height = static_cast<std::int32_t>(height);
    layout.bitCount = bitCount;
    layout.compression = compression;
    layout.pixelBytes = imageSize;
    // GDI decodes no run-length codes into top-down rows.
    const bool topDown = layout.height < 0;
    if (headerSize < kInfoHeaderSize || layout.width <= 0 || layout.height == 0 || !knownBitCount(bitCount) ||
        !drawableCompression(compression, bitCount) || (topDown && runLengthCoded(compression))) {
        return OMBitmapStatus::damaged;
    }
    layout.rows = static_cast<std::size_t>(topDown ? -static_cast<std::int64_t>(layout.height) : layout.height);
    const std::size_t masksEnd = compression == kBitFields ? kInfoHeaderSize + kBitFieldMasksSize : 0;
    layout.tableOffset = std::max<std::size_t>(headerSize, masksEnd);
    layout.tableEntries = colorsUsed != 0 ? colorsUsed : bitCount <= 8 ? std::size_t{1} << bitCount : 0;
    return OMBitmapStatus::loaded;
}

// Checks that the header, the bit-field masks, the colour table and the pixel data (every row, or the
// run-length codes the image size counts) fit the data.
OMBitmapStatus placeTableAndPixels(OMDibLayout& layout) {
    const std::uint64_t tableBytes = static_cast<std::uint64_t>(layout.tableEntries) * 4;
    const std::uint64_t rowBits = static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bitCount);
    const std::uint64_t rowSize = (rowBits + 31) / 32 * 4;
    const std::uint64_t pixelOffset = layout.tableOffset + tableBytes;
    const std::uint64_t decodedBytes = rowSize * layout.rows;
    const bool coded = runLengthCoded(layout.compression);
    const std::uint64_t pixelBytes = coded ? layout.pixelBytes : decodedBytes;
    const bool decodable = !coded || decodedBytes <= kMaxDecodedBytes;
    if (pixelOffset > layout.length || pixelBytes == 0 || pixelBytes > layout.length - pixelOffset || !decodable) {
        return OMBitmapStatus::damaged;
    }
    layout.pixelOffset = static_cast<std::size_t>(pixelOffset);
    layout.rowSize = static_cast<std::size_t>(rowSize);
    layout.pixelBytes = static_cast<std::size_t>(pixelBytes);
    return OMBitmapStatus::loaded;
}

// Whether the pixel at `p` has the transparent colour.
bool matches(const std::uint8_t* p, std::int32_t bitCount, const OMColorRecord& color) {
    const std::uint32_t rgb15 = static_cast<std::uint32_t>(color.red >> 11) << 10 |
                                static_cast<std::uint32_t>(color.green >> 11) << 5 | (color.blue >> 11);
    const std::uint32_t rgb24 = static_cast<std::uint32_t>(color.red >> 8) << 16 |
                                static_cast<std::uint32_t>(color.green >> 8) << 8 | (color.blue >> 8);
    switch (bitCount) {
    case 8:
        return color.index >= 0 && p[0] == color.index;
    case 16:
        return ((p[0] | p[1] << 8) & 0x7FFF) == rgb15;
    case 24:
    case 32:
        return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) == rgb24;
    default:
        return false;
    }
}

}  // namespace

OMBitmapStatus findDib(const std::uint8_t* data, std::size_t size, OMDibLayout& layout) {
    const ByteReader all(data, size, ByteOrder::little);
    std::uint16_t marker = 0;
    std::uint32_t headerSize = 0;
    if (all.u16At(0, marker) && marker == kFileMarker) {
        layout.start = kFileHeaderSize;
    } else if (all.u32At(0, headerSize) && headerSize == kInfoHeaderSize) {
        layout.start = 0;
    } else {
        return OMBitmapStatus::notABitmap;
    }
    if (size < layout.start) return OMBitmapStatus::damaged;
    layout.length = size - layout.start;
    const ByteReader dib(data + layout.start, layout.length, ByteOrder::little);
    const OMBitmapStatus header = readInfoHeader(dib, layout);
    return header == OMBitmapStatus::loaded ? placeTableAndPixels(layout) : header;
}

std::uint32_t dibColorsUsed(const std::uint8_t* dib) {
    std::uint32_t count = 0;
    return ByteReader(dib, kInfoHeaderSize, ByteOrder::little).u32At(kClrUsedOffset, count) ? count : 0;
}

void patchSystemColors(std::uint8_t* dib, const OMDibLayout& layout, const OMColorRecord* systemTable) {
    if (layout.bitCount != 8) return;
    const std::uint32_t count = dibColorsUsed(dib);
    if (count == 0) dib[kClrUsedOffset + 1] = 1;  // 0 becomes 256, stored little-endian
    if (count != 0 && count != 256) return;
    std::uint8_t* table = dib + layout.tableOffset;
    for (int i = 0; i < kPaletteSize; ++i) {
        if (!isStaticEntry(i)) continue;
        table[i * 4] = static_cast<std::uint8_t>(systemTable[i].blue >> 8);
        table[i * 4 + 1] = static_cast<std::uint8_t>(systemTable[i].green >> 8);
        table[i * 4 + 2] = static_cast<std::uint8_t>(systemTable[i].red >> 8);
    }
}

std::size_t maskRowSize(std::int32_t width) { return (static_cast<std::size_t>(width + 7) / 8 + 3) / 4 * 4; }

std::vector<std::uint8_t> buildDibMask(const std::uint8_t* dib, const OMDibLayout& layout,
                                       const OMColorRecord& transparent) {
    const std::size_t maskRow = maskRowSize(layout.width);
    ByteWriter mask(ByteOrder::little);
    for (std::uint32_t field : {static_cast<std::uint32_t>(kInfoHeaderSize), static_cast<std::uint32_t>(layout.width),
                                static_cast<std::uint32_t>(layout.height)}) {
        mask.u32(field);
    }
    mask.u16(1);
    mask.u16(1);
    for (std::uint32_t field : {0u, static_cast<std::uint32_t>(maskRow * layout.rows), 0u, 0u, 2u, 0u}) mask.u32(field);
    mask.u32(0x000000);
    mask.u32(0xFFFFFF);
    const std::size_t rows = mask.size();
    mask.bytes.resize(rows + maskRow * layout.rows);
    const std::size_t pixelBytes = runLengthCoded(layout.compression) ? 0 : static_cast<std::size_t>(layout.bitCount / 8);
    for (std::size_t row = 0; row < layout.rows; ++row) {
        const std::uint8_t* in = dib + layout.pixelOffset + row * layout.rowSize;
        std::uint8_t* out = mask.bytes.data() + rows + row * maskRow;
        for (std::int32_t x = 0; x < layout.width && pixelBytes > 0; ++x) {
            if (matches(in + x * pixelBytes, layout.bitCount, transparent)) out[x / 8] |= 0x80 >> (x % 8);
        }
    }
    return std::move(mask.bytes);
}
