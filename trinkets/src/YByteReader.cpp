// A bounded reader of packed binary data: integers of either byte order and byte spans, never past the end.
#include "YByteReader.h"

std::uint32_t YByteReader::take(std::size_t count) {
    const std::uint8_t* p = bytes(count);
    if (!p) return 0;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = bigEndian_ ? i : count - 1 - i;
        value = (value << 8) | p[at];
    }
    return value;
}

std::uint8_t YByteReader::u8() { return static_cast<std::uint8_t>(take(1)); }
std::uint16_t YByteReader::u16() { return static_cast<std::uint16_t>(take(2)); }
std::uint32_t YByteReader::u32() { return take(4); }

const std::uint8_t* YByteReader::bytes(std::size_t count) {
    if (!ok_ || count > size_ - position_) {
        ok_ = false;
        return nullptr;
    }
    const std::uint8_t* p = data_ + position_;
    position_ += count;
    return p;
}
