// A bounded reader of packed binary data: integers of either byte order and byte spans, never past the end.
#pragma once

#include <cstddef>
#include <cstdint>

class YByteReader {
public:
    YByteReader(const std::uint8_t* data, std::size_t size, bool bigEndian)
        : data_(data), size_(size), bigEndian_(bigEndian) {}

    // Each read fails (and keeps failing) once it would pass the end; the value is then 0.
    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    // The next count bytes, or null when fewer remain.
    const std::uint8_t* bytes(std::size_t count);

    bool ok() const { return ok_; }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return size_ - position_; }

private:
    std::uint32_t take(std::size_t count);

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    bool bigEndian_;
    bool ok_ = true;
};
