// Mixes the playing sample handles into the output format: each voice resampled to the output rate (linear
// interpolation between source frames), scaled by its Q15 gains, summed in 32 bits and clamped. No Win32.
#pragma once

#include <cstdint>
#include <vector>

#include "SampleVoice.h"

struct OutputFormat {
    std::uint32_t rate = 44100;
    int channels = 2;
    int bits = 16;
    int bytesPerFrame() const { return channels * bits / 8; }
};

// A source may play at most this many times the output rate; faster rates are taken as this.
constexpr std::uint32_t kMaxRateRatio = 16;

class Mixer {
public:
    explicit Mixer(const OutputFormat& format) : format_(format) {}

    const OutputFormat& format() const { return format_; }
    // Writes frames of output to out, advancing every playing voice; voices that are not playing are passed over.
    void mix(SampleVoice* const* voices, int count, std::uint8_t* out, std::uint32_t frames);

private:
    // Output frames mixed per pass: bounds the accumulator and keeps a Q16 source position in 32 bits.
    static constexpr std::uint32_t kBlockFrames = 2048;

    void mixBlock(SampleVoice* const* voices, int count, std::uint8_t* out, std::uint32_t frames);
    void mixVoice(SampleVoice& voice, std::uint32_t frames);

    OutputFormat format_;
    std::vector<std::int32_t> accumulator_;
};

// Q16 source frames per output frame.
std::uint32_t resampleStep(std::uint32_t sourceRate, std::uint32_t outputRate);
