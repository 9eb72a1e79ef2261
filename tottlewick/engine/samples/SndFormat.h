// Sample blocks: the header record of a loaded sound, the sample format codes and the conversion of a
// sound's stored blocks into the PCM frames the driver plays. Without Win32.
#pragma once

#include <cstddef>
#include <cstdint>

// Sample format codes: what the resource holds; the output is 8-bit unsigned (0-3) or 16-bit signed
// little-endian (4-10).
enum SndFormatCode : std::uint16_t {
    kSndUnsigned8Mono = 0,
    kSndUnsigned8Stereo = 1,
    kSndSigned8Mono = 2,
    kSndSigned8Stereo = 3,
    kSndLittle16Mono = 4,
    kSndLittle16Stereo = 5,
    kSndBig16Mono = 6,
    kSndBig16Stereo = 7,
    kSndIma4Mono = 8,
    kSndIma4Stereo = 9,
    kSndSqs2 = 10,
};

std::uint16_t SndFormatChannels(std::uint16_t format);
std::uint16_t SndFormatBits(std::uint16_t format);
bool SndFormatIsCompressed(std::uint16_t format);

// The header of a sample block (a relocatable block of its own; the PCM frames are in `audioData`):
//   format, frames per block, input bytes per block, output bytes per frame   u16 each
//   blocks, frames                                                          u32 each
//   file rate (as stored, whole)                                            u32
//   rate (as played, scaled and held to 16 bits)                            u16
//   loop start, loop end (frames)                                           u32 each
//   decoder state ('SQS2' last sample), reserved                           u16 each
//   audio data (memory handle)                                              u32
struct SndSampleHeader {
    std::uint16_t format;
    std::uint16_t framesPerBlock;
    std::uint16_t inBytesPerBlock;
    std::uint16_t outBytesPerFrame;
    std::uint32_t blocks;
    std::uint32_t frames;
    std::uint32_t fileRate;
    std::uint16_t rate;
    std::uint32_t loopStart;
    std::uint32_t loopEnd;
    std::uint16_t decoderState;
    std::uint16_t reserved;
    std::uint32_t audioData;
};

// Converts up to `blocks` blocks from `in` (inBytes available) into `out`, which has room for them; stops
// at the end of the input. Returns the blocks converted; an 'SQS2' decode keeps its last sample in the
// header's decoder state. Uncompressed formats may convert in place (out == in).
std::uint32_t SndConvertBlocks(SndSampleHeader& header, const std::uint8_t* in, std::size_t inBytes,
                               std::uint8_t* out, std::uint32_t blocks);

// The byte of silence in the output of a format.
std::uint8_t SndSilenceByte(std::uint16_t format);
