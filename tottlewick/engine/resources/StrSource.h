// The compiler of 'STR' source text into a table of numbered message records (portable: bytes in, bytes out).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Compiled table, every number in native order:
//
//   +-------+----------+-----------------------------------------------+-----
//   | count | reserved | record: length = 10 + n | number | text (n) | 0 | spare | ...
//   |  (4)  | (4, 0)   |          (4)             |  (4)   |          |   |  (1)  |
//   +-------+----------+-----------------------------------------------+-----
constexpr std::size_t kStrHeaderSize = 8;
constexpr std::size_t kStrRecordOverhead = 10;

// Compiles source into table; lastNumber carries the number that "+" continues from, in and out.
// False when "BEGIN" is missing (or ends before byte 8), or a message lacks its opening quote.
bool compileStrSource(const std::uint8_t* source, std::size_t size, std::vector<std::uint8_t>& table,
                      std::uint32_t& lastNumber);

// The bytes that a compiled table's header and records take within size bytes.
std::size_t strTableLength(const std::uint8_t* table, std::size_t size);
// Looks a number up in a compiled table of size bytes; the text, or null.
const char* findStrRecord(const std::uint8_t* table, std::size_t size, std::uint32_t number);
// The index-th record (from 0): its text and number, or null.
const char* strRecordAt(const std::uint8_t* table, std::size_t size, std::uint32_t index, std::uint32_t* number);
