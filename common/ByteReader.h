// The one bounded reader of packed binary data: integers of either byte order, byte spans and sub-readers
// that fail instead of reading past the end, read in sequence or at offsets.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ByteOrder { little, big };

class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const void* data, std::size_t size, ByteOrder order)
        : data_(static_cast<const std::uint8_t*>(data)), size_(size), order_(order) {}

    // Sequential reads: a read that would pass the end fails for good and yields zeros, so a caller checks
    // ok() once per record.
    bool ok() const { return ok_; }
    std::size_t size() const { return size_; }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return ok_ ? size_ - position_ : 0; }

    std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
    std::uint32_t u32() { return take(4); }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    // Four bytes in stored order with the first in the lowest byte (four-character codes).
    std::uint32_t chars4();
    // The next count bytes, or null (and failed) when fewer remain.
    const std::uint8_t* span(std::size_t count);
    // Copies count bytes to out (zeros on failure); out may be null to skip them.
    void bytes(void* out, std::size_t count);
    void skip(std::size_t count) { span(count); }
    // A reader of the same order over the next count bytes; this reader moves past them.
    ByteReader sub(std::size_t count);

    // Reads at an offset from the start, independent of the position: false (value untouched) when the
    // field would pass the end.
    bool has(std::size_t offset, std::size_t count) const { return offset <= size_ && count <= size_ - offset; }
    // Inline: the drawing code reads shape and animation records through these many times a frame.
    [[nodiscard]] bool u8At(std::size_t offset, std::uint8_t& value) const {
        if (!has(offset, 1)) return false;
        value = data_[offset];
        return true;
    }
    [[nodiscard]] bool u16At(std::size_t offset, std::uint16_t& value) const {
        if (!has(offset, 2)) return false;
        value = static_cast<std::uint16_t>(decode(data_ + offset, 2));
        return true;
    }
    [[nodiscard]] bool u32At(std::size_t offset, std::uint32_t& value) const {
        if (!has(offset, 4)) return false;
        value = decode(data_ + offset, 4);
        return true;
    }
    // The count bytes at offset, or null when they pass the end.
    const std::uint8_t* spanAt(std::size_t offset, std::size_t count) const {
        return has(offset, count) ? data_ + offset : nullptr;
    }

private:
    std::uint32_t take(std::size_t count);
    // The order is tested once, not per byte, so a read of a known width inlines to one load.
    std::uint32_t decode(const std::uint8_t* p, std::size_t count) const {
        std::uint32_t value = 0;
        if (order_ == ByteOrder::big) {
            for (std::size_t i = 0; i < count; ++i) value = value << 8 | p[i];
        } else {
            for (std::size_t i = count; i > 0; --i) value = value << 8 | p[i - 1];
        }
        return value;
    }

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t position_ = 0;
    ByteOrder order_ = ByteOrder::little;
    bool ok_ = true;
};
