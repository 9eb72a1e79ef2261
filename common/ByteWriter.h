// Packs integers of either byte order and byte spans into a growing buffer: the writing side of
// ByteReader, for saved images and records and for the test fixtures' file builders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ByteReader.h"

class ByteWriter {
public:
    explicit ByteWriter(ByteOrder order) : order_(order) {}

    void u8(std::uint8_t value) { bytes.push_back(value); }
    void u16(std::uint16_t value) { put(value, 2, bytes.size()); }
    void u32(std::uint32_t value) { put(value, 4, bytes.size()); }
    // Four bytes with the lowest first (four-character codes, the inverse of ByteReader::chars4).
    void chars4(std::uint32_t value);
    void span(const void* data, std::size_t count);
    void text(const std::string& value) { span(value.data(), value.size()); }
    // Overwrites the field at offset, growing the buffer with zeros when it ends before it: for sizes and
    // offsets known only after what follows was written.
    void u16At(std::size_t offset, std::uint16_t value) { put(value, 2, offset); }
    void u32At(std::size_t offset, std::uint32_t value) { put(value, 4, offset); }

    std::size_t size() const { return bytes.size(); }
    std::string str() const { return std::string(bytes.begin(), bytes.end()); }

    std::vector<std::uint8_t> bytes;

private:
    void put(std::uint32_t value, std::size_t count, std::size_t offset);

    ByteOrder order_;
};
