// The bounded big-endian reader and writers.
#include "ByteReader.h"

#include <cstring>

bool ByteReader::take(std::size_t n) {
    if (!ok_ || n > size_ - pos_) {
        ok_ = false;
        return false;
    }
    return true;
}

std::uint8_t ByteReader::u8() {
    if (!take(1)) return 0;
    return data_[pos_++];
}

std::uint16_t ByteReader::be16() {
    if (!take(2)) return 0;
    auto value = static_cast<std::uint16_t>(data_[pos_] << 8 | data_[pos_ + 1]);
    pos_ += 2;
    return value;
}

std::uint32_t ByteReader::be32() {
    if (!take(4)) return 0;
    const std::uint8_t* p = data_ + pos_;
    pos_ += 4;
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

std::uint32_t ByteReader::chars4() {
    if (!take(4)) return 0;
    const std::uint8_t* p = data_ + pos_;
    pos_ += 4;
    return std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}

void ByteReader::bytes(void* out, std::size_t n) {
    if (!take(n)) {
        if (out && n) std::memset(out, 0, n);
        return;
    }
    if (out && n) std::memcpy(out, data_ + pos_, n);
    pos_ += n;
}

ByteReader ByteReader::sub(std::size_t n) {
    if (!take(n)) {
        ByteReader empty(data_, 0);
        empty.ok_ = false;
        return empty;
    }
    ByteReader inner(data_ + pos_, n);
    pos_ += n;
    return inner;
}

void putBe16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void putBe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    putBe16(out, static_cast<std::uint16_t>(value >> 16));
    putBe16(out, static_cast<std::uint16_t>(value));
}

void putChars4(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}
