// The byte-order marker: the first 32-bit word of a converted resource, whose four bytes XOR to 0xAA and
// whose "~" byte tells whether the data is in native order.
#pragma once

#include <cstdint>

// The per-type routine that swaps every field of a loaded resource in place.
using ByteOrderSwap = void (*)(void* data);

// The marker read in native order from the first four bytes of data.
std::uint32_t ByteOrderReadMarker(const void* data);
std::int16_t ByteOrderMarkerValid(std::uint32_t marker);
std::int16_t ByteOrderNeedsSwap(std::uint32_t marker);
std::uint16_t ByteOrderFix16(std::uint32_t marker, std::uint16_t value);
std::uint32_t ByteOrderFix32(std::uint32_t marker, std::uint32_t value);
// Bytes from the lowest: second, first, "~", first ^ second ^ 0xD4 (valid, native order).
std::uint32_t ByteOrderMakeMarker(std::uint8_t first, std::uint8_t second);
std::uint32_t ByteOrderMarkerShift(std::uint32_t marker);
