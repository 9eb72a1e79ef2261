// Builds 'XPK' shape banks from pictures, in each of the four pixel formats and either byte order,
// written from the format's rules alone, and makes varied pictures from a seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ByteReader.h"

constexpr std::uint16_t kForgeDirect16 = 0xB001;
constexpr std::uint16_t kForgeMapped16 = 0xB002;
constexpr std::uint16_t kForgePlain8 = 0xC001;
constexpr std::uint16_t kForgeRun8 = 0xC002;

// Bytes from the lowest 0x34, 0x12, "~", 0xF2: they XOR to 0xAA, and written big-endian the "~" lands in
// the second byte, which marks foreign order.
constexpr std::uint32_t kForgeMarker = 0xF27E1234;

// One pixel of a picture: skipped, opaque, or blended into the destination at a weight of 0-31 (the
// 15/16-bit formats; the 8-bit ones draw it opaque). The value is a palette index (0xC001, 0xC002), a
// colour-map index (0xB002) or a 15-bit colour (0xB001).
struct ForgePixel {
    enum Kind : std::uint8_t { skip, opaque, blend };
    Kind kind = skip;
    std::uint16_t value = 0;
    std::uint8_t weight = 0;
};

struct ForgeShape {
    std::int16_t hotX = 0;
    std::int16_t hotY = 0;
    std::int16_t frameWidth = 0;
    std::int16_t frameHeight = 0;
    std::int16_t imageX = 0;
    std::int16_t imageY = 0;
    int width = 0;   // of the image
    int height = 0;
    std::vector<ForgePixel> pixels;  // row by row from the top; empty: the shape has no pixel data
    bool hasData() const { return !pixels.empty(); }
    const ForgePixel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

struct ForgeBank {
    std::uint16_t format = kForgeRun8;
    std::vector<std::uint16_t> colourMap;  // 0xB002 only
    std::vector<ForgeShape> shapes;
};

// The packed data of one picture. 0xC002 codes runs of equal rows as repeat blocks; trailing skips are
// left out where the format allows.
std::string forgeShapeData(std::uint16_t format, const ForgeShape& shape, ByteOrder order);
// A whole bank: header, colour map (0xB002), descriptors, data offsets, then the packed data.
std::string forgeXpk(const ForgeBank& bank, ByteOrder order);

// A width x height picture with skips, fills, literals, runs longer than one operation holds, equal
// rows, and (15/16-bit formats) blends; values below `values` (indices) or any 15-bit colour (0xB001).
ForgeShape forgePattern(std::uint16_t format, int width, int height, std::uint32_t seed, int values = 256);
