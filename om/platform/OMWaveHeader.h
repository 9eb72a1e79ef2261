// The header of a wave sound: where its 8-bit samples lie in the stream, how many there are and their rate.
#pragma once

#include <cstddef>
#include <cstdint>

// Only the first bytes of a stream are parsed; a header that does not lie within them is not found.
inline constexpr std::size_t kWaveHeaderBytes = 1024;

// A header that is neither RIFF WAVE nor a sound resource of format 1 or 2 gives all zeros.
struct OMWaveHeader {
    std::int32_t length = 0;
    std::int32_t rate = 0;
    std::int32_t dataOffset = 0;
};

// Parses the first count bytes of a stream (at most kWaveHeaderBytes are looked at).
OMWaveHeader parseWaveHeader(const std::uint8_t* bytes, std::size_t count);
