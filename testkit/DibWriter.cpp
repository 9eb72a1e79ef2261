// Bitmap writer: header, colour table and packed rows.
#include "DibWriter.h"

#include "ByteWriter.h"

namespace {

std::size_t rowSize(const DibPicture& picture) {
    return (static_cast<std::size_t>(picture.width) * picture.bitCount + 31) / 32 * 4;
}

void packRow(ByteWriter& out, const DibPicture& picture, std::int32_t row) {
    const std::size_t start = out.size();
    const std::uint32_t* values = picture.pixels.data() + static_cast<std::size_t>(row) * picture.width;
    if (picture.bitCount < 8) {
        out.bytes.resize(start + rowSize(picture), 0);
        const int perByte = 8 / picture.bitCount;
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const int shift = 8 - picture.bitCount * (x % perByte + 1);
            out.bytes[start + x / perByte] |= static_cast<std::uint8_t>(values[x] << shift);
        }
        return;
    }
    for (std::int32_t x = 0; x < picture.width; ++x) {
        const std::uint32_t v = values[x];
        if (picture.bitCount == 8) out.u8(static_cast<std::uint8_t>(v));
        if (picture.bitCount == 16) out.u16(static_cast<std::uint16_t>(v));
        if (picture.bitCount >= 24) {
            out.u8(static_cast<std::uint8_t>(v));
            out.u8(static_cast<std::uint8_t>(v >> 8));
            out.u8(static_cast<std::uint8_t>(v >> 16));
        }
        if (picture.bitCount == 32) out.u8(0);
    }
    out.bytes.resize(start + rowSize(picture), 0);
}

}  // namespace

std::string writeDib(const DibPicture& picture, const std::vector<std::uint32_t>& masks, const DibForm& form) {
    constexpr std::size_t kMasksEnd = 40 + 3 * 4;
    ByteWriter out(ByteOrder::little);
    out.u32(form.headerSize);
    out.u32(static_cast<std::uint32_t>(picture.width));
    out.u32(static_cast<std::uint32_t>(form.topDown ? -picture.height : picture.height));
    out.u16(1);
    out.u16(picture.bitCount);
    out.u32(masks.empty() ? 0 : 3);
    out.u32(static_cast<std::uint32_t>(rowSize(picture) * picture.height));
    out.u32(0);
    out.u32(0);
    out.u32(picture.colorsUsed);
    out.u32(0);
    const bool masksInHeader = form.headerSize >= kMasksEnd;
    if (masksInHeader) {
        for (std::uint32_t mask : masks) out.u32(mask);
    }
    if (out.size() < form.headerSize) out.bytes.resize(form.headerSize, 0);
    if (!masksInHeader) {
        for (std::uint32_t mask : masks) out.u32(mask);
    }
    for (std::uint32_t color : picture.colors) out.u32(color);
    for (std::int32_t i = 0; i < picture.height; ++i) packRow(out, picture, form.topDown ? i : picture.height - 1 - i);
    return out.str();
}

std::string writeBmpFile(const DibPicture& picture, const std::vector<std::uint32_t>& masks, const DibForm& form) {
    const std::string dib = writeDib(picture, masks, form);
    const std::size_t pixelBytes = rowSize(picture) * static_cast<std::size_t>(picture.height);
    ByteWriter out(ByteOrder::little);
    out.u16(0x4D42);
    out.u32(static_cast<std::uint32_t>(14 + dib.size()));
    out.u32(0);
    out.u32(static_cast<std::uint32_t>(14 + dib.size() - pixelBytes));
    return out.str() + dib;
}
