// The sound layer's hot loops beside baselines measured in the same run: mixing 8 voices of mixed types and
// rates into a second of 44100 Hz stereo output against a naive loop over the same samples (goal: at most
// 1.5x), and 'ima4' and 'SQS2' decoding in samples per second against copying the decoded bytes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchClock.h"
#include "Mixer.h"
#include "SndFormat.h"
#include "SoundWriter.h"

namespace {

constexpr std::uint32_t kOutputRate = 44100;
constexpr std::uint32_t kFrames = 44100;  // one second of output per run

struct VoiceSpec {
    std::int32_t type;
    std::uint32_t flags;
    std::uint32_t rate;
    int volume, pan;
};

const VoiceSpec kVoices[8] = {
    {0, 0, 22050, 127, 64}, {1, 1, 44100, 100, 20}, {3, 1, 44100, 90, 64},  {2, 0, 11025, 127, 100},
    {1, 1, 32000, 64, 64},  {0, 1, 8000, 127, 0},   {3, 1, 22050, 110, 127}, {1, 1, 48000, 127, 64},
};

struct Source {
    VoiceSpec spec;
    std::vector<std::uint8_t> data;  // two seconds
};

std::vector<Source> makeSources() {
    std::vector<Source> sources;
    for (const VoiceSpec& spec : kVoices) {
        SampleFormat f = sampleFormatOf(spec.type, spec.flags);
        std::vector<std::uint8_t> data(std::size_t(spec.rate) * 2 * std::size_t(f.bytesPerFrame()));
        for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 37 + spec.rate);
        sources.push_back({spec, data});
    }
    return sources;
}

// The plain way: per output frame and voice, the source frame by 64-bit arithmetic, a switch on the type,
// the gains, a 32-bit sum and the clamp.
void naiveMix(const std::vector<Source>& sources, std::uint64_t firstFrame, std::int16_t* out) {
    std::vector<std::int32_t> sum(2 * kFrames, 0);
    for (const Source& s : sources) {
        SampleFormat f = sampleFormatOf(s.spec.type, s.spec.flags);
        Gains g = gainsFor(s.spec.volume, s.spec.pan);
        std::uint64_t length = s.data.size() / std::size_t(f.bytesPerFrame());
        for (std::uint32_t i = 0; i < kFrames; ++i) {
            std::uint64_t at = ((firstFrame + i) * s.spec.rate / kOutputRate) % length;
            const std::uint8_t* p = &s.data[at * std::uint64_t(f.bytesPerFrame())];
            int channel[2] = {0, 0};
            for (int c = 0; c < f.channels; ++c) {
                const std::uint8_t* q = p + c * f.bytesPerChannel;
                if (f.bytesPerChannel == 1)
                    channel[c] = f.isSigned ? std::int8_t(q[0]) * 256 : (q[0] - 128) * 256;
                else
                    channel[c] = f.isSigned ? std::int16_t(q[0] | q[1] << 8) : (q[0] | q[1] << 8) - 32768;
            }
            if (f.channels == 1) channel[1] = channel[0];
            sum[2 * i] += (channel[0] * g.left) >> 15;
            sum[2 * i + 1] += (channel[1] * g.right) >> 15;
        }
    }
    for (std::size_t i = 0; i < sum.size(); ++i) out[i] = static_cast<std::int16_t>(std::min(32767, std::max(-32768, sum[i])));
}

void mixing() {
    std::vector<Source> sources = makeSources();
    std::vector<SampleVoice> voices(8);
    std::vector<SampleVoice*> list;
    for (std::size_t i = 0; i < 8; ++i) {
        SampleVoice& v = voices[i];
        v.init(kOutputRate);
        v.setType(sources[i].spec.type, sources[i].spec.flags);
        v.setRate(static_cast<std::int32_t>(sources[i].spec.rate));
        v.setVolume(sources[i].spec.volume);
        v.setPan(sources[i].spec.pan);
        v.setLoopCount(0);
        v.setAddress(sources[i].data.data(), static_cast<std::uint32_t>(sources[i].data.size()));
        v.start();
        list.push_back(&v);
    }
    Mixer mixer({kOutputRate, 2, 16});
    std::vector<std::int16_t> out(2 * kFrames);
    const int runs = 20;
    double naive = secondsEach(runs, [&](int i) { naiveMix(sources, std::uint64_t(i) * kFrames, out.data()); });
    double ours = secondsEach(runs, [&](int) {
        mixer.mix(list.data(), 8, reinterpret_cast<std::uint8_t*>(out.data()), kFrames);
    });
    std::printf("mix 8 voices, 1 s of 44100 Hz stereo 16-bit output\n");
    std::printf("  %-34s %9.2f ms   %6.1f ns/frame\n", "naive loop (baseline)", naive * 1e3, naive * 1e9 / kFrames);
    std::printf("  %-34s %9.2f ms   %6.1f ns/frame   %.2fx the baseline (goal <= 1.5x)\n", "Mixer::mix", ours * 1e3,
                ours * 1e9 / kFrames, ours / naive);
}

void decoding(const char* name, std::uint16_t format, const std::string& encoded, std::uint32_t blocks,
              std::uint16_t framesPerBlock, std::uint16_t inBytes) {
    SndSampleHeader h{};
    h.format = format;
    h.framesPerBlock = framesPerBlock;
    h.inBytesPerBlock = inBytes;
    h.outBytesPerFrame = 2;
    std::size_t samples = std::size_t(blocks) * framesPerBlock;
    std::vector<std::uint8_t> out(2 * samples), copy(2 * samples);
    const auto* in = reinterpret_cast<const std::uint8_t*>(encoded.data());
    const int runs = 20;
    volatile std::uint8_t sink = 0;
    double floor = secondsEach(runs, [&](int i) {
        std::memcpy(copy.data(), out.data(), out.size());
        sink = static_cast<std::uint8_t>(sink + copy[std::size_t(i) * 4099 % copy.size()]);
    });
    double decode = secondsEach(runs, [&](int) { SndConvertBlocks(h, in, encoded.size(), out.data(), blocks); });
    std::printf("  %-34s %9.1f M samples/s   %6.1fx copying the output (%.1f M samples/s)\n", name,
                samples / decode / 1e6, decode / floor, samples / floor / 1e6);
}

}  // namespace

int main() {
    mixing();
    std::vector<std::int16_t> wave(64 * 16384);
    for (std::size_t i = 0; i < wave.size(); ++i) wave[i] = static_cast<std::int16_t>(12000 * std::sin(i / 20.0));
    std::printf("decode %zu samples\n", wave.size());
    decoding("ima4 mono", kSndIma4Mono, encodeIma4(wave, 1), 16384, 64, 34);
    decoding("SQS2", kSndSqs2, encodeSqs2(wave), static_cast<std::uint32_t>(wave.size()), 1, 1);
    return 0;
}
