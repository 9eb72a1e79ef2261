// SMF films: the 100-byte header, the command table behind it and the codec tags. Plain logic over bytes
// and the file layer, without Win32.
//
//   offset  0  marker (its four bytes XOR to 0xAA; says whether every field below must be swapped)
//           4  16 x u32  track capacities in bytes (0 = track not used)
//          68  u16 width, u16 height, u16 depth (bits per pixel)
//          74  u16 sample size (bits), u16 channels, u16 rate (Hz)
//          80  u32 block length in sample frames (half of the audio buffer)
//          84  u32 reserved
//          88  u32 clock start (ms): the first command is due at it plus its delay
//          92  u32 duration (ms)
//          96  u32 number of 32-bit entries in the command table that follows
#pragma once

#include <cstddef>
#include <cstdint>

#include "File.h"

constexpr int kSmfTracks = 16;
constexpr std::size_t kSmfHeaderBytes = 100;

// A codec tag: four characters read from the highest byte down (a16m is 0x6131366D).
constexpr std::uint32_t SmfTag(const char (&name)[5]) {
    return std::uint32_t(std::uint8_t(name[0])) << 24 | std::uint32_t(std::uint8_t(name[1])) << 16 |
           std::uint32_t(std::uint8_t(name[2])) << 8 | std::uint8_t(name[3]);
}

struct SmfHeader {
    std::uint32_t marker = 0;
    std::uint32_t capacity[kSmfTracks] = {};
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t depth = 0;
    std::uint16_t sampleSize = 0;
    std::uint16_t channels = 0;
    std::uint16_t rate = 0;
    std::uint32_t blockLength = 0;
    std::uint32_t reserved = 0;
    std::uint32_t clockStart = 0;
    std::uint32_t duration = 0;
    std::uint32_t entries = 0;
};

// Fills the header from its 100 bytes in the marker's byte order; false when the marker is not valid.
[[nodiscard]] bool SmfParseHeader(const std::uint8_t* bytes, SmfHeader* header);

// Buffer sizes, 0 when the product does not fit in 32 bits (or there is nothing to hold).
std::uint32_t SmfFrameBytes(const SmfHeader& header);
std::uint32_t SmfAudioBytes(const SmfHeader& header);
// The audio buffer's length in sample frames: twice the block length (0 when that overflows).
std::uint32_t SmfAudioFrames(const SmfHeader& header);

// Positions the file at offset unless it stands there already; false when that fails.
[[nodiscard]] bool SmfSeek(FileRef file, std::uint32_t offset);
// Reads the header at offset; false when positioning or reading fails or the marker is not valid.
[[nodiscard]] bool SmfReadHeader(FileRef file, std::uint32_t offset, SmfHeader* header);
// Reads `entries` table entries behind the header into table, each in native order; false when short.
[[nodiscard]] bool SmfReadTable(FileRef file, const SmfHeader& header, std::uint32_t* table);
