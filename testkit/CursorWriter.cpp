// Cursor resource writer.
#include "CursorWriter.h"

#include "ByteWriter.h"

namespace {

std::uint16_t widthOf(const CursorPicture& picture) {
    return static_cast<std::uint16_t>(picture.rows.empty() ? 0 : picture.rows[0].size());
}

// One mask, bottom-up: a set bit for each pixel `isSet` picks.
template <typename Pick>
void writeMask(ByteWriter& out, const CursorPicture& picture, Pick isSet) {
    const std::size_t rowBytes = (widthOf(picture) + 31u) / 32 * 4;
    for (std::size_t row = picture.rows.size(); row-- > 0;) {
        std::vector<std::uint8_t> bits(rowBytes, 0);
        for (std::size_t x = 0; x < picture.rows[row].size(); ++x) {
            if (isSet(picture.rows[row][x])) bits[x / 8] |= 0x80 >> (x % 8);
        }
        out.span(bits.data(), bits.size());
    }
}

}  // namespace

std::string writeCursorImage(const CursorPicture& picture) {
    const std::uint32_t height = static_cast<std::uint32_t>(picture.rows.size());
    const std::uint32_t rowBytes = (widthOf(picture) + 31u) / 32 * 4;
    ByteWriter out(ByteOrder::little);
    out.u16(picture.hotspotX);
    out.u16(picture.hotspotY);
    for (std::uint32_t field : {40u, std::uint32_t(widthOf(picture)), height * 2}) out.u32(field);
    out.u16(1);
    out.u16(1);
    for (std::uint32_t field : {0u, rowBytes * height * 2, 0u, 0u, 2u, 0u, 0x000000u, 0xFFFFFFu}) out.u32(field);
    writeMask(out, picture, [](char c) { return c == '.'; });
    writeMask(out, picture, [](char c) { return c != '#' && c != '.'; });
    return out.str();
}

std::string writeCursorGroup(const CursorPicture& picture, std::uint32_t imageSize, std::uint16_t imageId) {
    ByteWriter out(ByteOrder::little);
    for (std::uint16_t field : {std::uint16_t(0), std::uint16_t(2), std::uint16_t(1), widthOf(picture),
                                std::uint16_t(picture.rows.size() * 2), std::uint16_t(1), std::uint16_t(1)}) {
        out.u16(field);
    }
    out.u32(imageSize);
    out.u16(imageId);
    return out.str();
}
