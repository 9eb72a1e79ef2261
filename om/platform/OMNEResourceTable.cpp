// NE resource tables: type blocks, name-info records, stored type names and the name-table variant.
//
//   resource table                    type block                     name-info record (12 bytes)
//   +-------------+                   +---------+-------+--------+   +--------+--------+-------+----+------+
//   | u16 shift   |                   | u16 type| u16 n | 4 res. |   | u16 off| u16 len| flags | id | res. |
//   | type blocks |  ended by type 0  +---------+-------+--------+   +--------+--------+-------+----+------+
//   | names       |                   followed by n records          off and len are in units of 1 << shift
//   +-------------+
//
// A type or id with bit 15 clear is the table offset of a name: one length byte, then the characters.
// Name-table entry: u16 entry length (0 ends), u16 type id, u16 resource id, zero-terminated type name.
#include "OMNEResourceTable.h"

#include <cstring>

namespace {

constexpr std::uint16_t kDosSignature = 0x5A4D;
constexpr std::uint16_t kNeSignature = 0x454E;
constexpr std::uint16_t kMinRelocationOffset = 0x40;
constexpr std::uint16_t kMaxShift = 15;
constexpr std::size_t kBlockHeader = 8;
constexpr std::size_t kRecordSize = 12;
constexpr std::size_t kFirstBlock = 2;
constexpr std::size_t kEntryName = 6;

// A type block that lies wholly inside the table; false at the terminating type 0 or a broken block.
bool blockAt(const ByteReader& table, std::size_t at, std::uint16_t& typeId, std::uint16_t& count) {
    return table.u16At(at, typeId) && typeId != 0 && table.u16At(at + 2, count) &&
           table.has(at + kBlockHeader, kRecordSize * count);
}

std::size_t nextBlock(std::size_t at, std::uint16_t count) { return at + kBlockHeader + kRecordSize * count; }

bool isNameTableVariant(const ByteReader& table) {
    std::uint16_t first = 0;
    return table.u16At(kFirstBlock, first) && first == kNENameTableType;
}

// A stored name of length n matches a wanted name that begins with it.
bool storedNameMatches(const ByteReader& table, std::uint16_t nameOffset, const char* wanted) {
    std::uint8_t length = 0;
    if (!table.u8At(nameOffset, length) || length == 0) return false;
    const std::uint8_t* stored = table.spanAt(nameOffset + 1u, length);
    return stored && std::strlen(wanted) >= length && std::memcmp(stored, wanted, length) == 0;
}

// The type id that the name table gives for a type name (exact, with case); 0 when absent.
std::uint16_t nameTableTypeId(const ByteReader& names, const char* wanted) {
    std::uint16_t length = 0;
    for (std::size_t at = 0; names.u16At(at, length) && length != 0; at += length) {
        const std::uint8_t* entry = names.spanAt(at, length);
        if (!entry || length <= kEntryName) return 0;
        const char* text = reinterpret_cast<const char*>(entry + kEntryName);
        const std::size_t room = length - kEntryName;
        const std::size_t textLength = strnlen(text, room);
        std::uint16_t typeId = 0;
        if (textLength == std::strlen(wanted) && std::memcmp(text, wanted, textLength) == 0 &&
            names.u16At(at + 2, typeId)) {
            return typeId;
        }
    }
    return 0;
}

// The offset of the wanted type block, or 0.
std::size_t findTypeBlock(const ByteReader& table, const ByteReader& names, const char* typeName,
                          std::uint16_t integerType) {
    const bool variant = isNameTableVariant(table);
    std::uint16_t wantedId = integerType ? static_cast<std::uint16_t>(integerType | kNEIntegerFlag) : 0;
    if (!integerType && variant) {
        wantedId = nameTableTypeId(names, typeName);
        if (!wantedId) return 0;
    }
    std::size_t at = variant ? nextBlock(kFirstBlock, 1) : kFirstBlock;
    std::uint16_t typeId = 0, count = 0;
    if (variant && !blockAt(table, kFirstBlock, typeId, count)) return 0;
    for (; blockAt(table, at, typeId, count); at = nextBlock(at, count)) {
        const bool match = wantedId ? typeId == wantedId
                                    : !(typeId & kNEIntegerFlag) && storedNameMatches(table, typeId, typeName);
        if (match) return at;
    }
    return 0;
}

} // namespace

bool readDosHeader(const ByteReader& dos, std::uint32_t& neOffset) {
    std::uint16_t signature = 0, relocations = 0;
    return dos.u16At(0, signature) && signature == kDosSignature && dos.u16At(0x18, relocations) &&
           relocations >= kMinRelocationOffset && dos.u32At(0x3C, neOffset);
}

bool readNeHeader(const ByteReader& ne, std::uint16_t& tableOffset, std::uint16_t& tableLength) {
    std::uint16_t signature = 0, residentNames = 0;
    if (!ne.u16At(0, signature) || signature != kNeSignature || !ne.u16At(0x24, tableOffset) ||
        !ne.u16At(0x26, residentNames) || residentNames < tableOffset) {
        return false;
    }
    tableLength = static_cast<std::uint16_t>(residentNames - tableOffset);
    return true;
}

bool nameTableExtent(const ByteReader& table, std::uint32_t& offset, std::uint32_t& length) {
    std::uint16_t shift = 0, typeId = 0, count = 0, unitOffset = 0, unitLength = 0;
    if (!isNameTableVariant(table) || !table.u16At(0, shift) || shift > kMaxShift ||
        !blockAt(table, kFirstBlock, typeId, count) || count == 0) {
        return false;
    }
    const std::size_t record = kFirstBlock + kBlockHeader;
    if (!table.u16At(record, unitOffset) || !table.u16At(record + 2, unitLength)) return false;
    offset = static_cast<std::uint32_t>(unitOffset) << shift;
    length = static_cast<std::uint32_t>(unitLength) << shift;
    return true;
}

OMNEResourceInfo findNEResource(const ByteReader& table, const ByteReader& names, std::uint16_t id,
                                const char* typeName, std::uint16_t integerType) {
    OMNEResourceInfo info;
    std::uint16_t shift = 0, typeId = 0, count = 0;
    if (!typeName || !table.u16At(0, shift) || shift > kMaxShift) return info;
    const std::size_t block = findTypeBlock(table, names, typeName, integerType);
    if (!block || !blockAt(table, block, typeId, count)) return info;
    for (std::size_t record = block + kBlockHeader; record < nextBlock(block, count); record += kRecordSize) {
        std::uint16_t unitOffset = 0, unitLength = 0, recordId = 0;
        if (!table.u16At(record, unitOffset) || !table.u16At(record + 2, unitLength) ||
            !table.u16At(record + 6, recordId)) {
            return info;
        }
        if ((recordId & 0x7FFF) != (id & 0x7FFF)) continue;
        info.size = static_cast<std::int32_t>(static_cast<std::uint32_t>(unitLength) << shift);
        info.dataOffset = static_cast<std::int32_t>(static_cast<std::uint32_t>(unitOffset) << shift);
        info.found = info.size > 0 ? 1 : 0;
        if (!info.found) info = OMNEResourceInfo{};
        return info;
    }
    return info;
}
