// The one bounded reader for binary data: big-endian integers, byte spans and sub-readers that fail
// instead of reading past the end, plus the matching big-endian writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class ByteReader {
public:
    ByteReader(const void* data, std::size_t size) : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}

    // A failed read sets the failure for good and yields zeros; callers check ok() once per record.
    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return ok_ ? size_ - pos_ : 0; }

    std::uint8_t u8();
    std::uint16_t be16();
    std::uint32_t be32();
    // Four bytes in file order with the first in the lowest byte (resource types).
    std::uint32_t chars4();
    // Copies n bytes to out; out may be null to skip them.
    void bytes(void* out, std::size_t n);
    void skip(std::size_t n) { bytes(nullptr, n); }
    // A reader over the next n bytes; this reader moves past them.
    ByteReader sub(std::size_t n);

private:
    bool take(std::size_t n);

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

void putBe16(std::vector<std::uint8_t>& out, std::uint16_t value);
void putBe32(std::vector<std::uint8_t>& out, std::uint32_t value);
void putChars4(std::vector<std::uint8_t>& out, std::uint32_t value);
