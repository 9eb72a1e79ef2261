// The 'SID' resource: the load-time check of its tables against the block, the byte-order conversion and
// the volume-and-pan envelope at a time. Plain bytes in, no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ByteReader.h"

// A SID, all offsets from its first byte:
//
//   0        4        8      10     12       16       20      22     24     26     28       32       36     38
//   +--------+--------+------+------+--------+--------+-------+------+------+------+--------+--------+------+
//   | marker | sound  | play | prio | chan.  | time   | init. | init.| res. | env. | point  | name   | res. |
//   | u32    | id u32 | flags| i16  | mask   | scale  | vol.  | pan  | u16  | pts  | table  | offset | u16  |
//   |        |        | u16  |      | u32    | 16.16  | u16   | i16  |      | u16 n| u32    | u32    |      |
//   +--------+--------+------+------+--------+--------+-------+------+------+------+--------+--------+------+
//   version > 0 (the marker's lowest byte): 38 u16 m, 40 m x u32 values
//   point table: n x (u16 volume, i16 pan, u32 duration in ms from the previous point)
//
// Stored big-endian; after loading every field is in native order.
constexpr std::size_t kSidHeaderSize = 38;
constexpr std::size_t kSidValuesOffset = 40;
constexpr std::size_t kSidPointSize = 8;

constexpr std::uint16_t kSidStreamed = 0x8000;
constexpr std::uint16_t kSidLooped = 0x4000;
constexpr std::uint16_t kSidStreamOptionAll = 0x2000;
constexpr std::uint16_t kSidRepeats = 0x0080;

// The order of a loaded SID: the program's targets are little-endian.
constexpr ByteOrder kSidNativeOrder = ByteOrder::little;

struct SidLevel {
    std::uint16_t volume;
    std::int16_t pan;
};

// A read-only view of a SID in one byte order; fields of a view that failed open read as 0.
class SidView {
public:
    // True when the header, the point table and (version > 0) the value table lie inside the block.
    bool open(const std::uint8_t* bytes, std::size_t size, ByteOrder order);

    std::uint8_t version() const { return static_cast<std::uint8_t>(u32(0)); }
    std::uint32_t soundId() const { return u32(4); }
    std::uint16_t flags() const { return u16(8); }
    std::int16_t priority() const { return static_cast<std::int16_t>(u16(10)); }
    std::uint32_t channelMask() const { return u32(12); }
    std::uint32_t timeScale() const { return u32(16); }
    SidLevel initial() const { return {u16(20), static_cast<std::int16_t>(u16(22))}; }
    std::uint16_t pointCount() const { return u16(26); }
    std::uint32_t pointTable() const { return u32(28); }
    // The name, or an empty string when there is none or it does not end inside the block.
    const char* name() const;
    std::uint16_t valueCount() const { return version() ? u16(38) : 0; }
    // Offset of value index (below valueCount).
    std::size_t valueOffset(std::uint16_t index) const { return kSidValuesOffset + 4u * index; }
    // The envelope at ms since the start.
    SidLevel levelAt(std::uint32_t ms) const;

private:
    std::uint16_t u16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    SidLevel point(std::uint16_t index, std::uint32_t* duration) const;

    ByteReader reader_;
};

// Converts a big-endian SID to native order in place: false, untouched, when it fails the check.
bool sidSwap(std::uint8_t* bytes, std::size_t size);
