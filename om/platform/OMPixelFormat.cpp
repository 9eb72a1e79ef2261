// Packing colours into deep pixel formats.
#include "OMPixelFormat.h"

#include <cstddef>

namespace {

std::int32_t shiftUnder(std::uint32_t mask) {
    if (mask == 0) return 0;
    std::int32_t highest = 31;
    while (!(mask & (1u << highest))) --highest;
    return 15 - highest;
}

std::uint32_t shifted(std::uint16_t component, std::int32_t shift) {
    return shift >= 0 ? std::uint32_t{component} >> shift : std::uint32_t{component} << -shift;
}

}  // namespace

PixelFormat pixelFormatOf(std::int32_t bitsPerPixel, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    PixelFormat format;
    format.bytesPerPixel = bitsPerPixel / 8;
    format.masks = {red, green, blue};
    for (std::size_t i = 0; i < 3; ++i) format.shifts[i] = shiftUnder(format.masks[i]);
    return format;
}

std::uint32_t packColor(const OMColorRecord& color, const PixelFormat& format) {
    return (shifted(color.red, format.shifts[0]) & format.masks[0]) |
           (shifted(color.green, format.shifts[1]) & format.masks[1]) |
           (shifted(color.blue, format.shifts[2]) & format.masks[2]);
}

PackedColors packColors(const OMColorRecord* table, const PixelFormat& format) {
    PackedColors packed{};
    for (std::size_t i = 0; i < packed.size(); ++i) packed[i] = packColor(table[i], format);
    return packed;
}
