// Packs little-endian integers and byte spans into a growing buffer (records and precompiled images).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class YByteWriter {
public:
    void u8(std::uint8_t v) { bytes.push_back(v); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void span(const void* data, std::size_t count);

    std::vector<std::uint8_t> bytes;
};
