// The blend table of the 15- and 16-bit shape formats and the two pixel layouts they draw into. Plain
// arithmetic, no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

// Entry [a * 1024 + b * 32 + c] = ((32 - a) * b + (a + 1) * c) >> 5: channel b of the destination mixed
// with channel c of the source at weight a, all 0-31. Weight 0 keeps b, weight 31 gives c.
constexpr std::size_t kBlendTableSize = 32768;
void shapeBlendTableFill(std::uint8_t* table);

// 15-bit colour: red in bits 10-14, green 5-9, blue 0-4, bit 15 clear.
inline std::uint16_t pack15(unsigned red, unsigned green, unsigned blue) {
    return static_cast<std::uint16_t>(red << 10 | green << 5 | blue);
}

// A 15-bit canvas stores colours as they are.
struct Depth15 {
    static std::uint16_t store(std::uint16_t colour) { return colour; }
    static unsigned red(std::uint16_t pixel) { return pixel >> 10 & 31; }
    static unsigned green(std::uint16_t pixel) { return pixel >> 5 & 31; }
    static unsigned blue(std::uint16_t pixel) { return pixel & 31; }
};

// A 16-bit canvas is 5-6-5: red and green move up one bit and green's lowest bit stays 0 (white 0x7FFF
// becomes 0xFFDF); reading drops that bit again.
struct Depth16 {
    static std::uint16_t store(std::uint16_t colour) { return static_cast<std::uint16_t>(colour + (colour & 0x7FE0)); }
    static unsigned red(std::uint16_t pixel) { return pixel >> 11 & 31; }
    static unsigned green(std::uint16_t pixel) { return pixel >> 6 & 31; }
    static unsigned blue(std::uint16_t pixel) { return pixel & 31; }
};

// The destination pixel mixed with a 15-bit source colour at weight a, one table look-up per channel.
template <class Depth>
std::uint16_t blendPixel(const std::uint8_t* table, std::uint16_t pixel, std::uint16_t source, unsigned weight) {
    const std::uint8_t* mix = table + (weight & 31) * 1024;
    return Depth::store(pack15(mix[Depth::red(pixel) * 32 + Depth15::red(source)],
                               mix[Depth::green(pixel) * 32 + Depth15::green(source)],
                               mix[Depth::blue(pixel) * 32 + Depth15::blue(source)]));
}
