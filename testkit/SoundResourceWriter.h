// Writes big-endian sound resources of formats 1 and 2: one command that points at one sound header,
// standard (encoding 0) or extended, followed by 8-bit samples.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct SoundResource {
    std::uint16_t format = 1;  // 1 or 2 (other values write the format 1 layout under that number)
    std::uint32_t rateFixed = 11025u << 16;  // 16.16 fixed point
    bool extended = false;  // encoding 0xFF: a frame count at +22 and the data at +64
    std::string samples;
    // The length or frame count stored, when it is to differ from the samples written.
    std::optional<std::uint32_t> storedLength;
};

//   format 1: u16 1, u16 1 data format, u16 5 (sampled), u32 0 options, u16 1 command   -> header at 20
//   format 2: u16 2, u16 0 references, u16 1 command                                   -> header at 14
//   command:  u16 0x8051 (buffer), u16 0, u32 header offset
//   standard header: u32 0, u32 length, u32 rate, u32 loop start, u32 loop end, u8 0, u8 60, data
//   extended header: u32 0, u32 1 channel, u32 rate, u32 loop start, u32 loop end, u8 0xFF, u8 60,
//                    u32 frames, 10-byte rate, u32 markers, u32 instruments, u32 AES, u16 8 bits,
//                    14 bytes unused, data
std::string writeSoundResource(const SoundResource& sound);
