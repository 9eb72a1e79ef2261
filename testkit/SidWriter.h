// Writes 'SID' resources in either byte order, of version 0 or of a later version with its value table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ByteReader.h"

struct SidPoint {
    std::uint16_t volume = 0;
    std::int16_t pan = 0;
    std::uint32_t duration = 0;
};

struct SidResource {
    std::uint8_t version = 0;  // the marker's lowest byte once in native order; the marker still XORs to 0xAA
    std::uint32_t soundId = 0;
    std::uint16_t flags = 0;
    std::int16_t priority = 0;
    std::uint32_t channelMask = 0xFFFF;
    std::uint32_t timeScale = 0x10000;
    std::uint16_t volume = 1024;
    std::int16_t pan = 0;
    std::vector<SidPoint> points;  // empty: no point table
    std::string name;              // empty: no name
    std::vector<std::uint32_t> values;  // written when version > 0
};

// Header (38 bytes, 40 + 4 per value from version 1), then the point table, then the name with its zero.
std::string writeSid(const SidResource& sid, ByteOrder order);
