// Writes the sound resources of the toddler title: 'SND' versions 3 and 4, AIFF and AIFC files (with
// MARK/INST loop markers and the 80-bit rate), and encoders for 'ima4' and 'SQS2' data of their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// 'SND', big-endian. Version 4: u16 4, u32 count, u16 rate, samples; version 3: u16 3, u16 0, u16 rate,
// samples (the count is the size less 6).
std::string writeSnd3(std::uint16_t rate, const std::string& samples);
std::string writeSnd4(std::uint16_t rate, std::uint32_t count, const std::string& samples);

struct AiffMarker {
    std::uint16_t id = 0;
    std::uint32_t position = 0;
    std::string name;
};

struct AiffChunk {
    std::string id;    // four characters
    std::string data;  // written with its own size; an odd size gets a pad byte counted in the size
};

struct AiffSound {
    bool aifc = false;
    std::string compression = "none";  // AIFC only
    std::string compressionName = "not compressed";
    std::uint16_t channels = 1;
    std::uint32_t frames = 0;  // the COMM count: sample frames, or 'ima4' blocks
    std::uint16_t bits = 16;
    std::uint32_t rate = 22050;
    std::string data;  // sound data as stored
    std::vector<AiffMarker> markers;
    bool writeMarkers = false;
    // INST sustain loop: play mode, begin and end marker ids.
    bool writeInstrument = false;
    std::uint16_t sustainMode = 1, sustainBegin = 0, sustainEnd = 0;
    // MARK and INST before COMM and SSND (where they count) or after them.
    bool loopChunksFirst = true;
    std::vector<AiffChunk> extra;  // written first
};

// "FORM" size "AIFF"|"AIFC" [FVER] extra [MARK INST] COMM SSND [MARK INST]; every chunk size is even, as
// readers that skip no pad byte need.
std::string writeAiff(const AiffSound& sound);
// The 10-byte extended form of a rate: sign and 15-bit exponent biased by 16383, 64-bit mantissa.
std::string extendedRate(std::uint32_t rate);

// 16-bit samples as stored by an uncompressed AIFF: big-endian.
std::string bigEndianSamples(const std::vector<std::int16_t>& samples);
// An uncompressed 16-bit AIFF of interleaved samples.
AiffSound pcmSound(const std::vector<std::int16_t>& samples, std::uint16_t channels = 1, std::uint32_t rate = 22050);
// An AIFC of that compression: frames is the COMM count ('ima4' blocks), data as stored.
AiffSound compressedSound(const std::string& compression, std::uint32_t frames, std::string data,
                          std::uint16_t channels = 1);
// A sustain loop (play mode 1) from marker 1 at frame start to marker 2 at frame end.
void setSustainLoop(AiffSound& sound, std::uint32_t start, std::uint32_t end);
// IMA ADPCM in 'ima4' blocks of 64 frames (34 bytes per channel, channels one after the other); samples
// are interleaved, and a last partial block is padded with its final value. `decoded`, when given, receives
// the samples a decoder must rebuild from the codes chosen.
std::string encodeIma4(const std::vector<std::int16_t>& samples, int channels,
                       std::vector<std::int16_t>* decoded = nullptr);
// 'SQS2': per sample the byte whose decoded value comes nearest, an absolute or a step from the last.
std::string encodeSqs2(const std::vector<std::int16_t>& samples, std::vector<std::int16_t>* decoded = nullptr);
