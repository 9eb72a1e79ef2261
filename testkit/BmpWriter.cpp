// The stored bitmap writer.
#include "BmpWriter.h"

#include "ByteWriter.h"

std::string writeBmp(const BmpImage& image) {
    const std::uint32_t tableSize = static_cast<std::uint32_t>(image.colors.size()) * 4;
    const std::uint32_t pixelOffset = 14 + 40 + tableSize;
    ByteWriter w(ByteOrder::little);
    w.text("BM");
    w.u32(pixelOffset + static_cast<std::uint32_t>(image.pixels.size()));
    w.u32(0);
    w.u32(pixelOffset);
    w.u32(40);
    w.u32(static_cast<std::uint32_t>(image.width));
    w.u32(static_cast<std::uint32_t>(image.height));
    w.u16(1);
    w.u16(image.bitCount);
    w.u32(0);
    w.u32(static_cast<std::uint32_t>(image.pixels.size()));
    w.u32(0);
    w.u32(0);
    w.u32(image.colorsUsed);
    w.u32(0);
    for (const BmpColor& c : image.colors) {
        w.u8(c.blue);
        w.u8(c.green);
        w.u8(c.red);
        w.u8(0);
    }
    w.text(image.pixels);
    return w.str();
}
