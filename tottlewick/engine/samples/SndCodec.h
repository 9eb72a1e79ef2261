// The two sound codecs: IMA ADPCM in 34-byte 'ima4' blocks and the 'SQS2' square-law delta code. Plain
// arithmetic on bytes, without Win32.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kImaBlockBytes = 34;
constexpr std::size_t kImaBlockFrames = 64;

// The IMA ADPCM step table of 89 steps (entry 76 is 10422) and index table.
extern const std::int16_t kImaSteps[89];
extern const std::int8_t kImaIndexShift[16];

// An 'ima4' block of one channel:
//   +0  u16 big-endian: predictor in the upper 9 bits (low 7 bits cleared, signed), step index in the low 7
//   +2  32 bytes: 64 four-bit codes, low nibble first
// Writes 64 little-endian 16-bit samples to out, `stride` bytes apart.
void SndImaDecodeBlock(const std::uint8_t* block, std::uint8_t* out, std::size_t stride);

// The 'SQS2' value of byte b: s = the upper seven bits as a signed number; even b gives the sample
// 8 x s x |s|, odd b a step of 2 x s x |s| from the previous sample.
std::int16_t SndSqs2Value(std::uint8_t b);
// Decodes count bytes into little-endian 16-bit samples from the previous sample `state`; returns the last.
std::int16_t SndSqs2Decode(const std::uint8_t* in, std::size_t count, std::uint8_t* out, std::int16_t state);
