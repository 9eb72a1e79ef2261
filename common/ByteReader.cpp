// The bounded reader: every field is checked against the end before a byte of it is read.
#include "ByteReader.h"

#include <cstring>

std::uint32_t ByteReader::take(std::size_t count) {
    const std::uint8_t* p = span(count);
    return p ? decode(p, count) : 0;
}

std::uint32_t ByteReader::chars4() {
    const std::uint8_t* p = span(4);
    if (!p) return 0;
    return std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}

const std::uint8_t* ByteReader::span(std::size_t count) {
    if (!ok_ || count > size_ - position_) {
        ok_ = false;
        return nullptr;
    }
    const std::uint8_t* p = data_ + position_;
    position_ += count;
    return p;
}

void ByteReader::bytes(void* out, std::size_t count) {
    const std::uint8_t* p = span(count);
    if (!out || count == 0) return;
    if (p) std::memcpy(out, p, count);
    else std::memset(out, 0, count);
}

ByteReader ByteReader::sub(std::size_t count) {
    const std::uint8_t* p = span(count);
    ByteReader inner(p, p ? count : 0, order_);
    inner.ok_ = p != nullptr;
    return inner;
}
