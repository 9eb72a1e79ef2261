// The data store's variable file: its slots as records, behind their used count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "RData.h"

// The file, little-endian:
//
//   +0   used count  u32 (written; on loading the named slots are counted instead)
//   +4   one 68-byte RData record per slot
//
// Loads the whole records present into the slots, at most one per slot; the others stay free. Returns
// the number of named slots.
std::int32_t readVariableFile(const std::uint8_t* data, std::size_t size, std::vector<RData>& slots);
std::string writeVariableFile(const std::vector<RData>& slots, std::int32_t used);

// The store's files read and written whole: false when the file cannot be opened (a write then leaves
// nothing written) or is not written completely.
bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);
bool writeFileBytes(const std::string& path, const std::string& bytes);
