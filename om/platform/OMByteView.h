// A bounded view of little-endian binary data: every read at an offset checks the end first.
#pragma once

#include <cstddef>
#include <cstdint>

class OMByteView {
public:
    OMByteView() = default;
    OMByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t size() const { return size_; }
    bool has(std::size_t offset, std::size_t count) const { return offset <= size_ && count <= size_ - offset; }
    // False (value untouched) when the field would pass the end.
    [[nodiscard]] bool u8(std::size_t offset, std::uint8_t& value) const {
        if (!has(offset, 1)) return false;
        value = data_[offset];
        return true;
    }
    [[nodiscard]] bool u16(std::size_t offset, std::uint16_t& value) const {
        if (!has(offset, 2)) return false;
        value = static_cast<std::uint16_t>(data_[offset] | data_[offset + 1] << 8);
        return true;
    }
    [[nodiscard]] bool u32(std::size_t offset, std::uint32_t& value) const {
        std::uint16_t low = 0, high = 0;
        if (!u16(offset, low) || !u16(offset + 2, high)) return false;
        value = static_cast<std::uint32_t>(low) | static_cast<std::uint32_t>(high) << 16;
        return true;
    }
    // The count bytes at offset, or null when they pass the end.
    const std::uint8_t* bytes(std::size_t offset, std::size_t count) const {
        return has(offset, count) ? data_ + offset : nullptr;
    }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};
