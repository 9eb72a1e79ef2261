// The byte writer: one encoder for both byte orders.
#include "ByteWriter.h"

void ByteWriter::put(std::uint32_t value, std::size_t count, std::size_t offset) {
    if (bytes.size() < offset + count) bytes.resize(offset + count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t shift = 8 * (order_ == ByteOrder::big ? count - 1 - i : i);
        bytes[offset + i] = static_cast<std::uint8_t>(value >> shift);
    }
}

void ByteWriter::chars4(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) u8(static_cast<std::uint8_t>(value >> shift));
}

void ByteWriter::span(const void* data, std::size_t count) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + count);
}
