// Writes 16-bit NE resource modules: an MZ stub, the NE header and a resource table with its data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct NeResource {
    std::uint16_t id;
    std::string data;
};

// typeId 0: a string type stored under `name`; otherwise a numbered type (bit 15 is added).
struct NeResourceType {
    std::uint16_t typeId;
    std::string name;
    std::vector<NeResource> resources;
};

struct NeModule {
    std::uint16_t shift = 4;
    // The variant whose first type block (0x800F) holds a name table giving each string type a number.
    bool nameTable = false;
    std::vector<NeResourceType> types;
};

// Where the writer put things, for tests that damage a module on purpose.
struct NeLayout {
    std::string bytes;
    std::uint32_t neOffset = 0;
    // Absolute file offset of the resource table and its length.
    std::uint32_t tableOffset = 0;
    std::uint32_t tableLength = 0;
};

// The NE header sits at 0x80; the resource table follows it; data starts at the first aligned offset
// after the tables, each resource padded to the alignment.
NeLayout writeNeModule(const NeModule& module);

// Little-endian stores into a byte string (which grows as needed).
void putU16(std::string& bytes, std::size_t offset, std::uint16_t value);
void putU32(std::string& bytes, std::size_t offset, std::uint32_t value);
