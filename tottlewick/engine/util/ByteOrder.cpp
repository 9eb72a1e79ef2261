// The byte-order marker rule and the swaps it calls for.
#include "ByteOrder.h"

namespace {

constexpr std::uint8_t kTilde = 0x7E;

std::uint8_t byteOf(std::uint32_t marker, int n) { return static_cast<std::uint8_t>(marker >> (8 * n)); }

}  // namespace

std::uint32_t ByteOrderReadMarker(const void* data) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

std::int16_t ByteOrderMarkerValid(std::uint32_t marker) {
    return (byteOf(marker, 0) ^ byteOf(marker, 1) ^ byteOf(marker, 2) ^ byteOf(marker, 3)) == 0xAA ? 1 : 0;
}

std::int16_t ByteOrderNeedsSwap(std::uint32_t marker) {
    return byteOf(marker, 2) == kTilde && byteOf(marker, 1) != kTilde ? 0 : 1;
}

std::uint16_t ByteOrderFix16(std::uint32_t marker, std::uint16_t value) {
    return ByteOrderNeedsSwap(marker) ? static_cast<std::uint16_t>(value << 8 | value >> 8) : value;
}

std::uint32_t ByteOrderFix32(std::uint32_t marker, std::uint32_t value) {
    if (!ByteOrderNeedsSwap(marker)) return value;
    return value << 24 | (value & 0xFF00) << 8 | (value >> 8 & 0xFF00) | value >> 24;
}

std::uint32_t ByteOrderMakeMarker(std::uint8_t first, std::uint8_t second) {
    return std::uint32_t{second} | std::uint32_t{first} << 8 | std::uint32_t{kTilde} << 16 |
           std::uint32_t(first ^ second ^ 0xD4) << 24;
}

std::uint32_t ByteOrderMarkerShift(std::uint32_t marker) { return marker >> 8; }
