// The XPK shape bank: its header and tables, the load-time check of every offset and count against the
// block, the byte-order conversion, and the look-up of one shape's descriptor and packed data. Plain bytes
// in, no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ByteReader.h"

// A bank, all offsets from its first byte:
//
//   0        4        6        8                 12                16
//   +--------+--------+--------+-----------------+-----------------+--------------------------------+
//   | marker | format | shapes | descriptor      | data-offset     | 0xB002 only: colour map, u16   |
//   | u32    | u16    | u16 n  | table, u32      | table, u32      | per entry up to the first table|
//   +--------+--------+--------+-----------------+-----------------+--------------------------------+
//
//   descriptor table: n x 16 bytes, eight i16 each (ShapeDesc, in field order)
//   data-offset table: n x u32, each from the start of this table; 0 = the shape has no pixel data
//   packed data: per format, decoded by ShapeRun8, ShapePlain8, ShapeMapped16 and ShapeDirect16
//
// Stored big-endian; after loading every field is in native order. The byte streams of 0xC001 and
// 0xC002 read the same in either order; 0xB001 rows are a u16 word count and that many u16 words,
// 0xB002 rows a u16 byte count and that many bytes.
constexpr std::uint16_t kXpkDirect16 = 0xB001;
constexpr std::uint16_t kXpkMapped16 = 0xB002;
constexpr std::uint16_t kXpkPlain8 = 0xC001;
constexpr std::uint16_t kXpkRun8 = 0xC002;

constexpr std::size_t kXpkHeaderSize = 16;
constexpr std::size_t kXpkDescSize = 16;
constexpr std::size_t kXpkColourMapMax = 256;

// The order of a loaded bank: the program's targets are little-endian.
constexpr ByteOrder kXpkNativeOrder = ByteOrder::little;

struct ShapeDesc {
    std::int16_t hotX;
    std::int16_t hotY;
    std::int16_t frameWidth;
    std::int16_t frameHeight;
    std::int16_t imageX;
    std::int16_t imageY;
    std::int16_t imageWidth;
    std::int16_t imageHeight;
};

// One shape of a bank: its descriptor and its packed data, which may run to the end of the bank (the
// decoders stop where the data says or at that end, whichever comes first).
struct XpkShape {
    ShapeDesc desc{};
    const std::uint8_t* data = nullptr;  // null when the shape has no pixel data
    std::size_t size = 0;
};

// True when every table, colour-map entry, data offset (which may name the block's end) and (0xB001,
// 0xB002) row count of the bank, read in `order`, lies inside its `size` bytes. Shapes may share their
// data; the conversion turns each block of data once.
bool xpkBankCheck(const std::uint8_t* bytes, std::size_t size, ByteOrder order);
// Converts a big-endian bank to native order in place. A bank that fails xpkBankCheck is left untouched
// (false); one whose tables or rows overlap may end half converted (false), but every field read or
// converted lies inside the block.
bool xpkBankSwap(std::uint8_t* bytes, std::size_t size);

// The swappers of one shape's rows (0xB001: each row's word count and words; 0xB002: each row's byte
// count, the bytes stepped over), converting only when the marker shows foreign order. 1 when all
// `imageHeight` rows lie inside `size`; a row that passes it is not touched and ends the walk (0).
std::int16_t ShapeSwapDirect16(std::uint32_t marker, std::uint8_t* data, std::size_t size, std::int16_t imageHeight);
std::int16_t ShapeSwapMapped16(std::uint32_t marker, std::uint8_t* data, std::size_t size, std::int16_t imageHeight);

// A native-order bank read in place. Every look-up is checked against the block again, so a view over
// an unchecked bank reads nothing outside it.
class XpkBank {
public:
    // False when the block is too short for the header and the two tables it names.
    bool open(const void* bytes, std::size_t size);

    std::uint16_t format() const { return format_; }
    std::uint16_t count() const { return count_; }
    // False for an index of n or more.
    bool shape(std::uint16_t index, XpkShape* out) const;
    // 0xB002: the colour map as 15-bit colours, entries past its end 0.
    void colourMap(std::uint16_t (&out)[kXpkColourMapMax]) const;

private:
    ByteReader bank_;
    std::uint16_t format_ = 0;
    std::uint16_t count_ = 0;
    std::uint32_t descOffset_ = 0;
    std::uint32_t dataOffset_ = 0;
};
