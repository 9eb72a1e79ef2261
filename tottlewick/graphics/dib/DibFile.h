// The colour table of a stored bitmap file, read without trusting its sizes.
#pragma once

#include <cstddef>
#include <cstdint>

// A stored bitmap file as a 'DIB' resource holds it (little-endian):
//
//   offset 0      14             28         46           54
//          +------+--------------+----------+------------+----------------------------+--------
//          | file | info header: | bit count| colours    | colour table: n entries of | pixels
//          | head | size, width, | (u16)    | used (u32) | blue, green, red, reserved |
//          +------+--------------+----------+------------+----------------------------+--------
//
// n is the colours-used count, or 2 to the bit count when that is 0.
constexpr std::size_t kDibFileHeaderSize = 14;
constexpr std::size_t kDibFileColorTable = kDibFileHeaderSize + 40;
constexpr std::uint32_t kDibMaxColors = 256;

struct DibFileColors {
    std::uint16_t count = 0;
    const std::uint8_t* entries = nullptr;  // count entries of blue, green, red, reserved
};

// False when the headers are cut short, the count passes 256 or the table passes the end of the data.
[[nodiscard]] bool dibFileReadColors(const void* data, std::size_t size, DibFileColors* out);
