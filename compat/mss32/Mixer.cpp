// The mixing loops: one specialised inner loop per source layout and output channel count.
#include "Mixer.h"

#include <algorithm>
#include <cstring>

namespace {

// The frames a pass reads: those from the cursor to the end of the run, and the frame that follows the
// last of them (the last again when nothing is known to follow).
struct RunView {
    const std::uint8_t* data;
    std::uint32_t frames;
    const std::uint8_t* following;
};

using RenderFn = void (*)(const RunView& run, std::uint32_t position, std::uint32_t step, std::uint32_t count,
                          const Gains& gains, std::int32_t* out);

template <int Bytes, bool Signed>
inline int sampleAt(const std::uint8_t* p) {
    if constexpr (Bytes == 1) return Signed ? int(std::int8_t(p[0])) * 256 : (int(p[0]) - 128) * 256;
    int word = p[0] | p[1] << 8;
    return Signed ? int(std::int16_t(word)) : word - 32768;
}

// a + (b - a) x weight, the weight in Q15; the product fits 32 bits for 16-bit samples.
inline int between(int a, int b, int weight) { return a + (((b - a) * weight) >> 15); }

// Each output frame lies between two source frames (the 16-bit fraction of the position tells where) and
// takes the straight line between them.
template <int Channels, int Bytes, bool Signed, int OutChannels>
void render(const RunView& run, std::uint32_t position, std::uint32_t step, std::uint32_t count,
            const Gains& gains, std::int32_t* out) {
    constexpr std::uint32_t stride = Channels * Bytes;
    const std::uint8_t* last = run.data + (run.frames - 1) * stride;
    const std::uint8_t* afterLast = run.following ? run.following : last;
    for (std::uint32_t i = 0; i < count; ++i, position += step, out += OutChannels) {
        const std::uint8_t* frame = run.data + (position >> 16) * stride;
        const std::uint8_t* next = frame == last ? afterLast : frame + stride;
        int weight = static_cast<int>((position & 0xFFFF) >> 1);
        int left = between(sampleAt<Bytes, Signed>(frame), sampleAt<Bytes, Signed>(next), weight);
        int right = Channels == 2
                        ? between(sampleAt<Bytes, Signed>(frame + Bytes), sampleAt<Bytes, Signed>(next + Bytes), weight)
                        : left;
        if constexpr (OutChannels == 2) {
            out[0] += (left * gains.left) >> 15;
            out[1] += (right * gains.right) >> 15;
        } else {
            out[0] += (((left + right) >> 1) * gains.mono) >> 15;
        }
    }
}

template <int OutChannels>
RenderFn renderFor(const SampleFormat& f) {
    static constexpr RenderFn table[8] = {
        render<1, 1, false, OutChannels>, render<1, 1, true, OutChannels>, render<1, 2, false, OutChannels>,
        render<1, 2, true, OutChannels>,  render<2, 1, false, OutChannels>, render<2, 1, true, OutChannels>,
        render<2, 2, false, OutChannels>, render<2, 2, true, OutChannels>};
    return table[(f.channels == 2 ? 4 : 0) + (f.bytesPerChannel == 2 ? 2 : 0) + (f.isSigned ? 1 : 0)];
}

void writeOutput(const std::int32_t* in, std::uint8_t* out, std::uint32_t count, int bits) {
    for (std::uint32_t i = 0; i < count; ++i) {
        int value = std::clamp(in[i], -32768, 32767);
        if (bits == 8) {
            out[i] = static_cast<std::uint8_t>((value >> 8) + 128);
        } else {
            out[2 * i] = static_cast<std::uint8_t>(value);
            out[2 * i + 1] = static_cast<std::uint8_t>(value >> 8);
        }
    }
}

}  // namespace

std::uint32_t resampleStep(std::uint32_t sourceRate, std::uint32_t outputRate) {
    if (outputRate == 0) return 0;
    std::uint64_t step = (std::uint64_t(std::min(sourceRate, outputRate * kMaxRateRatio)) << 16) / outputRate;
    return static_cast<std::uint32_t>(step);
}

void Mixer::mix(SampleVoice* const* voices, int count, std::uint8_t* out, std::uint32_t frames) {
    while (frames > 0) {
        std::uint32_t block = std::min(frames, kBlockFrames);
        mixBlock(voices, count, out, block);
        out += block * static_cast<std::uint32_t>(format_.bytesPerFrame());
        frames -= block;
    }
}

void Mixer::mixBlock(SampleVoice* const* voices, int count, std::uint8_t* out, std::uint32_t frames) {
    std::size_t samples = std::size_t(frames) * static_cast<std::size_t>(format_.channels);
    accumulator_.assign(samples, 0);
    for (int i = 0; i < count; ++i)
        if (voices[i] && voices[i]->status() == kSamplePlaying) mixVoice(*voices[i], frames);
    writeOutput(accumulator_.data(), out, static_cast<std::uint32_t>(samples), format_.bits);
}

// Renders run after run of the voice (a loop, the other buffer) until the block is full or the voice stops.
void Mixer::mixVoice(SampleVoice& voice, std::uint32_t frames) {
    std::uint32_t step = resampleStep(voice.rate(), format_.rate);
    if (step == 0) return;
    RenderFn renderRun = format_.channels == 2 ? renderFor<2>(voice.format()) : renderFor<1>(voice.format());
    std::int32_t* out = accumulator_.data();
    while (frames > 0) {
        std::uint32_t left = 0;
        const std::uint8_t* run = voice.currentRun(&left);
        if (!run) return;
        std::uint32_t start = voice.fraction();
        std::uint64_t fits = ((std::uint64_t(left) << 16) - start + step - 1) / step;
        // A ramping level changes every frame: those frames go one at a time.
        std::uint32_t count = static_cast<std::uint32_t>(std::min<std::uint64_t>(voice.ramping() ? 1 : frames, fits));
        renderRun({run, left, voice.followingRun()}, start, step, count, voice.levelNow(), out);
        voice.mixed(count);
        std::uint64_t moved = start + std::uint64_t(count) * step;
        voice.advance(static_cast<std::uint32_t>(moved >> 16), static_cast<std::uint32_t>(moved & 0xFFFF));
        out += count * static_cast<std::uint32_t>(format_.channels);
        frames -= count;
    }
}
