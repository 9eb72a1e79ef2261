// Builds 'XMV' animations for tests and fuzz seeds, in either byte order, from the format's rules: the
// 168-byte header and the event table, with the end record appended unless asked not to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ByteReader.h"

struct XmvEventSpec {
    std::uint16_t type = 3;
    std::uint16_t shape = 0;
    std::uint32_t start = 0;
    std::uint32_t duration = 0;
    std::int16_t x = 0;  // offsets of types 5 and 6
    std::int16_t y = 0;
};

struct XmvSpec {
    std::int16_t left = 0, top = 0, width = 0, height = 0;
    std::uint32_t rate = 10;
    std::uint32_t duration = 60;
    std::uint32_t scanValue = 0;  // the reserved u32 at 24
    std::uint32_t bankId = 1;
    std::uint16_t scanMode = 0;
    std::vector<XmvEventSpec> events;
    bool endRecord = true;
    std::uint32_t extraCount = 0;  // added to the stored count (damaged files)
};

// Big order is the file's; little is the program's own, read without conversion.
std::string xmvWrite(const XmvSpec& spec, ByteOrder order);
// One event of shape 0 lasting 60 units at (0, 0), rate 10, drawn from bank `bankId`.
XmvSpec xmvStub(std::uint32_t bankId);
