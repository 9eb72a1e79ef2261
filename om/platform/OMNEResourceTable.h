// The headers and resource table of a 16-bit NE module, searched for one resource; every walk is bounded.
#pragma once

#include <cstdint>

#include "ByteReader.h"

inline constexpr std::size_t kDosHeaderSize = 64;
inline constexpr std::size_t kNeHeaderSize = 64;
inline constexpr std::uint16_t kNEIntegerFlag = 0x8000;
inline constexpr std::uint16_t kNENameTableType = 0x800F;

// Where a resource lies in the module file, in bytes; found is 1 only for a non-empty resource.
struct OMNEResourceInfo {
    std::int32_t found = 0;
    std::int32_t size = 0;
    std::int32_t dataOffset = 0;
};

// The DOS header: "MZ" at 0, relocation-table offset at 0x18 of 0x40 or more, NE header offset at 0x3C.
[[nodiscard]] bool readDosHeader(const ByteReader& dos, std::uint32_t& neOffset);
// The NE header: "NE" at 0; the resource table runs from the offset at 0x24 up to the resident-name
// table at 0x26 (both relative to the NE header).
[[nodiscard]] bool readNeHeader(const ByteReader& ne, std::uint16_t& tableOffset, std::uint16_t& tableLength);
// In a module whose first type is 0x800F: where its name table lies in the file.
[[nodiscard]] bool nameTableExtent(const ByteReader& table, std::uint32_t& offset, std::uint32_t& length);
// The first record of the wanted id (bit 15 ignored) in the wanted type: integerType is a numbered type
// (non-zero) or 0 for the string type typeName.
OMNEResourceInfo findNEResource(const ByteReader& table, const ByteReader& names, std::uint16_t id,
                                const char* typeName, std::uint16_t integerType);
