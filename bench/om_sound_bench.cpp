// What mixing costs: eight sounds blended into a 1024-byte buffer through the mixer's 16-bit accumulator
// beside a naive loop that adds eight byte arrays with one clamp per sample, and the mixer task's cost per
// main-loop pass, idle and with eight sounds playing (the device finishing one buffer per pass, so each
// pass retires one buffer and mixes one).
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "Files.h"
#include "OMIStreamFile.h"
#include "OMSampleMix.h"
#include "OMWaveDevice.h"
#include "OMWaveOutMixer.h"
#include "OMWaveSound.h"
#include "TempFolder.h"
#include "WaveWriter.h"

namespace {

constexpr int kSounds = 8;
constexpr std::size_t kBlock = 1024;  // the mixer's default block size
constexpr int kBuffers = 20000;
constexpr int kPasses = 20000;

// Finishes the oldest buffer it holds when told, as a device playing at its pace would between passes.
class SteadyDevice : public OMWaveDevice {
public:
    void setBufferCount(std::int32_t count) override {
        flags_.assign(std::size_t(count), 0);
        queue_.clear();
    }
    bool open(std::uint32_t) override { return open_ = true; }
    bool isOpen() const override { return open_; }
    void close() override {
        reset();
        open_ = false;
    }
    void reset() override {
        for (std::uint32_t& f : flags_) f = 0;
        queue_.clear();
    }
    void pause() override {}
    void restart() override {}
    void write(std::int32_t index, std::uint8_t*, std::uint32_t) override {
        if (!open_) return;
        flags_[index] = kWaveBufferPrepared;
        queue_.push_back(index);
    }
    void unprepare(std::int32_t index) override { flags_[index] = 0; }
    std::uint32_t flags(std::int32_t index) const override { return flags_[index]; }
    void finishOne() {
        if (queue_.empty()) return;
        flags_[queue_.front()] |= kWaveBufferDone;
        queue_.pop_front();
    }

private:
    std::deque<std::int32_t> queue_;
    bool open_ = false;
    std::vector<std::uint32_t> flags_;
};

std::vector<std::uint8_t> samplesOf(int sound, std::size_t count) {
    std::vector<std::uint8_t> s(count);
    for (std::size_t i = 0; i < count; ++i) s[i] = static_cast<std::uint8_t>(i * (sound + 3) + sound * 17);
    return s;
}

// The baseline: one pass over the buffer adding all eight sources, one clamp per sample.
void naiveMix(std::uint8_t* out, const std::vector<std::vector<std::uint8_t>>& sources) {
    for (std::size_t i = 0; i < kBlock; ++i) {
        int sum = 128;
        for (const std::vector<std::uint8_t>& s : sources) sum += s[i] - 128;
        out[i] = static_cast<std::uint8_t>(sum < 0 ? 0 : (sum > 255 ? 255 : sum));
    }
}

// As the mixer does it: the accumulator cleared, each sound accumulated, then written with the clamp.
void mixerMix(std::uint8_t* out, std::int16_t* acc, const std::vector<std::vector<std::uint8_t>>& sources) {
    for (std::size_t i = 0; i < kBlock; ++i) acc[i] = 0;
    for (const std::vector<std::uint8_t>& s : sources) accumulate(acc, s.data(), kBlock);
    outputMix(out, acc, kBlock);
}

void benchArithmetic() {
    std::vector<std::vector<std::uint8_t>> sources;
    for (int k = 0; k < kSounds; ++k) sources.push_back(samplesOf(k, kBlock));
    std::vector<std::uint8_t> naiveOut(kBlock), mixerOut(kBlock);
    std::vector<std::int16_t> acc(kBlock);
    const double naive = secondsEach(kBuffers, [&](int) { naiveMix(naiveOut.data(), sources); });
    const double mixer = secondsEach(kBuffers, [&](int) { mixerMix(mixerOut.data(), acc.data(), sources); });
    std::printf("8 sounds into a 1024-byte buffer: naive loop %.2f us | mixer accumulator %.2f us (x%.2f)%s\n",
                naive * 1e6, mixer * 1e6, mixer / naive, naiveOut == mixerOut ? "" : "  OUTPUTS DIFFER");
}

// Eight sounds repeated for ever, over files in a temporary folder.
struct EightSounds {
    EightSounds() {
        for (int k = 0; k < kSounds; ++k) {
            const std::vector<std::uint8_t> s = samplesOf(k, kBlock * 64);
            WaveSound wave;
            wave.samples.assign(s.begin(), s.end());
            const std::string name = folder.file("s" + std::to_string(k) + ".wav");
            writeWholeFile(name, writeWave(wave));
            streams.emplace_back(new OMIStreamFile(name.c_str(), kStreamWhole, nullptr));
            sounds.emplace_back(new OMWaveSound(streams.back().get(), 1));
            (void)sounds.back()->setRepeat(-1);
        }
    }
    ~EightSounds() {
        sounds.clear();
        OMWaveSound::closeDevice();
    }
    void play() {
        for (std::unique_ptr<OMWaveSound>& sound : sounds) (void)sound->play(1);
    }

    TempFolder folder;
    std::vector<std::unique_ptr<OMIStreamFile>> streams;
    std::vector<std::unique_ptr<OMWaveSound>> sounds;
};

void benchPump() {
    SteadyDevice device;
    OMWaveDevice* previous = setWaveDevice(&device);
    EightSounds eight;
    const double idle = secondsEach(kPasses, [](int) { OMWaveOutMixer::pump(); });
    eight.play();
    const double playing = secondsEach(kPasses, [&](int) {
        device.finishOne();
        OMWaveOutMixer::pump();
    });
    std::printf("mixer task per main-loop pass: idle %.3f us | 8 sounds, one buffer retired and mixed %.2f us\n",
                idle * 1e6, playing * 1e6);
    setWaveDevice(previous);
}

// On the system's device the pump mostly polls done flags; a pass that finds one writes a buffer.
void benchSystemDevice() {
    EightSounds eight;
    eight.play();
    if (!OMWaveOutMixer::deviceOpen()) {
        std::printf("system wave-out device: none\n");
        return;
    }
    int passes = 0, buffers = 0;
    std::int32_t tail = OMWaveOutMixer::ringTail();
    const double start = seconds();
    while (seconds() - start < 1.0) {
        OMWaveOutMixer::pump();
        ++passes;
        if (OMWaveOutMixer::ringTail() != tail) ++buffers;
        tail = OMWaveOutMixer::ringTail();
    }
    const double elapsed = seconds() - start;
    std::printf("system wave-out device, 8 sounds for 1 s: %d passes, %.2f us per pass, %d passes wrote a buffer\n",
                passes, elapsed * 1e6 / passes, buffers);
}

}  // namespace

int main() {
    benchArithmetic();
    benchPump();
    benchSystemDevice();
    return 0;
}
