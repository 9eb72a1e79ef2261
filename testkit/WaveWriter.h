// Writes RIFF WAVE files: a PCM format chunk, the sample data and any extra chunks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WaveChunk {
    std::string id;  // four characters
    std::string data;
};

struct WaveSound {
    std::uint32_t sampleRate = 11025;
    std::uint16_t channels = 1;
    std::uint16_t bitsPerSample = 8;
    std::string samples;
    // Written before the format chunk, between it and the data chunk, and after the data chunk.
    std::vector<WaveChunk> first;
    std::vector<WaveChunk> middle;
    std::vector<WaveChunk> last;
};

// Each chunk is its id, its unpadded little-endian size and its data, padded to an even length.
//   "RIFF" size "WAVE" | "fmt " 16: format 1, channels, rate, bytes/s, block align, bits | "data" n samples
std::string writeWave(const WaveSound& sound);
