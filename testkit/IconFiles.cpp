// Icon and cursor files.
//
//   offset  size  field
//   0       2     reserved, 0
//   2       2     type: 1 icon, 2 cursor
//   4       2     image count, 1
//   6       1     width
//   7       1     height
//   8       1     colour count (16 for the icons, 0 for the monochrome cursor)
//   9       1     reserved, 0
//   10      2     icon: planes 1; cursor: hotspot x
//   12      2     icon: bits per pixel 4; cursor: hotspot y
//   14      4     image size in bytes
//   18      4     image offset, 22
//   22      ...   the image: a DIB of twice the height (info header, colour table, colour rows, mask rows)
#include "IconFiles.h"

#include <vector>

#include "ByteWriter.h"

namespace {

constexpr std::uint32_t kHeaderSize = 22;

// The standard 16 colours as 0xRRGGBB, in their usual order; all of them are static colours of an 8-bit
// display, so the icons look the same there.
constexpr std::uint32_t kColours[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                        0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::uint8_t pixelAt(const PixelGrid& picture, int x, int y) {
    return picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                          static_cast<std::size_t>(x)];
}

std::size_t paddedRow(int width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

// Colour rows, then mask rows, each bottom-up; a transparent pixel is colour 0 under a set mask bit.
void writeRows(ByteWriter& out, const PixelGrid& picture) {
    for (int y = picture.height; y-- > 0;) {
        std::vector<std::uint8_t> row(paddedRow(picture.width, 4), 0);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t index = pixelAt(picture, x, y);
            if (index != kTransparent) row[x / 2] |= static_cast<std::uint8_t>((index & 0x0F) << (x % 2 ? 0 : 4));
        }
        out.span(row.data(), row.size());
    }
    for (int y = picture.height; y-- > 0;) {
        std::vector<std::uint8_t> row(paddedRow(picture.width, 1), 0);
        for (int x = 0; x < picture.width; ++x) {
            if (pixelAt(picture, x, y) == kTransparent) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.span(row.data(), row.size());
    }
}

void writeHeader(ByteWriter& out, std::uint16_t type, int width, int height) {
    for (std::uint16_t field : {std::uint16_t(0), type, std::uint16_t(1)}) out.u16(field);
    out.u8(static_cast<std::uint8_t>(width));
    out.u8(static_cast<std::uint8_t>(height));
}

}  // namespace

std::string writeIconFile(const PixelGrid& picture) {
    const std::size_t rowBytes = paddedRow(picture.width, 4) + paddedRow(picture.width, 1);
    const auto pixelBytes = static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(picture.height));
    ByteWriter out(ByteOrder::little);
    writeHeader(out, 1, picture.width, picture.height);
    out.u8(16);
    out.u8(0);
    out.u16(1);
    out.u16(4);
    out.u32(40 + 16 * 4 + pixelBytes);
    out.u32(kHeaderSize);
    for (std::uint32_t field : {40u, std::uint32_t(picture.width), std::uint32_t(picture.height) * 2})
        out.u32(field);
    out.u16(1);
    out.u16(4);
    for (std::uint32_t field : {0u, pixelBytes, 0u, 0u, 16u, 0u}) out.u32(field);
    for (std::uint32_t rgb : kColours) {
        for (int shift : {0, 8, 16}) out.u8(static_cast<std::uint8_t>(rgb >> shift));
        out.u8(0);
    }
    writeRows(out, picture);
    return out.str();
}

// A cursor resource's image is its two hotspot words followed by the DIB that the file holds; the file
// keeps the hotspot in its directory entry instead.
std::string writeCursorFile(const CursorPicture& picture) {
    const std::string image = writeCursorImage(picture).substr(4);
    const int width = picture.rows.empty() ? 0 : static_cast<int>(picture.rows[0].size());
    ByteWriter out(ByteOrder::little);
    writeHeader(out, 2, width, static_cast<int>(picture.rows.size()));
    out.u8(0);
    out.u8(0);
    out.u16(picture.hotspotX);
    out.u16(picture.hotspotY);
    out.u32(static_cast<std::uint32_t>(image.size()));
    out.u32(kHeaderSize);
    out.text(image);
    return out.str();
}
