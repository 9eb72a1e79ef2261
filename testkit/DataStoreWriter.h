// The main program's data store files: variable files (a used count, then 68-byte records of name, value
// and time) and the user data file "quomb.dat" (a 4-byte header and 40 records of 182 bytes).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct StoredVariable {
    std::string name;
    std::string value;
    std::uint32_t modified = 0;
};

// `slots` records: the variables first, then free ones ("empty", " ", time 0); the count written is the
// number of variables.
std::string variableFileBytes(const std::vector<StoredVariable>& variables, std::size_t slots);

// The header bytes (sound, music, voice, user count), then record 0 with 16-bit fields at the given
// offsets and the name at 164, then 39 records whose bytes count up (record r byte i = r + i).
std::string quombDatBytes(const std::array<std::uint8_t, 4>& header,
                          const std::vector<std::pair<std::size_t, std::int16_t>>& fields, const std::string& name);
