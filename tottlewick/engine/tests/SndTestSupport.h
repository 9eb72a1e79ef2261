// The sound test bench: a resource folder, the sound library's virtual device and the engine on one scripted
// clock, and the manager at 8 channels, 22050 Hz stereo, so that 16-bit mono sounds reach the output as they are.
#pragma once

#include <algorithm>
#include <cstring>

#include "EngineClock.h"
#include "EngineTestSupport.h"
#include "SndDriver.h"
#include "SndManager.h"
#include "SndPlay.h"
#include "SndPlayControl.h"
#include "SndSample.h"
#include "SoundWriter.h"
#include "Stream.h"
#include "mss32.h"

namespace sndtest {

constexpr std::uint32_t kRate = 22050;

// The scripted clock. Tests move it; only a busy wait inside the code under test (a reading of the
// device's clock over and over without the test moving time) makes it creep on by itself, 1 ms per 1000
// readings, as real time would.
struct ScriptedClock {
    static inline std::uint32_t now = 0;
    static inline std::uint32_t idleReads = 0;
    static std::uint32_t engine() { return now; }
    static std::uint32_t device() { return ++idleReads % 1000 ? now : ++now; }
    static void advance(std::uint32_t ms) {
        now += ms;
        idleReads = 0;
    }
};

inline std::string aiff16(const std::vector<std::int16_t>& values) { return writeAiff(pcmSound(values)); }
inline PrsResource aifResource(std::uint16_t id, const std::vector<std::int16_t>& values) {
    return {"AIF", id, aiff16(values)};
}
inline std::vector<std::int16_t> constant(std::size_t frames, std::int16_t value) {
    return std::vector<std::int16_t>(frames, value);
}

// A rising sawtooth that never passes through 0, so that the first sound in the output is easy to find.
inline std::vector<std::int16_t> ramp(std::size_t frames, int period = 1000, int base = 100) {
    std::vector<std::int16_t> values(frames);
    for (std::size_t i = 0; i < frames; ++i) values[i] = static_cast<std::int16_t>(base + int(i % period) * 20);
    return values;
}

// The calls of the play layer's completion procedure, which every test of the bench records.
struct Done { std::int16_t channel; std::uint32_t id; MemHandle sample; std::uint32_t data; };
inline std::vector<Done> done;
inline void recordDone(std::int16_t channel, std::uint32_t id, MemHandle sample, std::uint32_t data) {
    done.push_back({channel, id, sample, data});
}

struct SndTest : ResourceFolderTest {
    void SetUp() override {
        ResourceFolderTest::SetUp();
        StreamInit();
        ScriptedClock::now = 1000;
        ScriptedClock::idleReads = 0;
        ClockSetSource(ScriptedClock::engine);
        MssTestUseVirtualDevice(ScriptedClock::device);
        ASSERT_EQ(SndInit(nullptr, 8, 2, 16, kRate), 0);
        done.clear();
        SndSetDoneProc(recordDone);
    }
    void TearDown() override {
        SndStopAll();
        SndSetDoneProc(nullptr);
        SndSetDoneData(0);
        SndSetChannelMask(0xFFFF);
        SndSetStreamMode(0);
        SndShutdown();
        StreamTerm();
        for (MemHandle& sample : samples) SndFreeSample(&sample);
        MssTestUseVirtualDevice(nullptr);
        ClockSetSource(nullptr);
        ResourceFolderTest::TearDown();
    }
    static void advance(std::uint32_t ms) { ScriptedClock::advance(ms); }
    static std::uint32_t now() { return ScriptedClock::now; }
    // Moves the clock on in steps, running the main loop's sound service at each.
    static void runFor(std::uint32_t ms, std::uint32_t step = 10) {
        for (std::uint32_t t = 0; t < ms; t += step) {
            advance(step);
            SndService();
        }
    }
    // A sample block of 16-bit mono frames.
    MemHandle sampleOf(const std::vector<std::int16_t>& values) {
        std::string bytes = aiff16(values);
        MemHandle file = MemHandleAlloc(static_cast<std::uint32_t>(bytes.size()));
        std::memcpy(MemHandleLock(file), bytes.data(), bytes.size());
        MemHandleUnlock(file);
        MemHandle sample = SndLoadSampleFromHandle(file);
        MemHandleFree(&file);
        return sample;
    }
    // Freed at the end.
    MemHandle keep(MemHandle sample) {
        samples.push_back(sample);
        return sample;
    }
    // Left and right output samples the virtual device has played since the last call.
    static std::vector<std::int16_t> takeOutput() {
        std::vector<std::int16_t> out;
        std::int16_t chunk[4096];
        while (std::uint32_t got = MssTestTakeOutput(SndDriverHandle(), chunk, sizeof chunk))
            out.insert(out.end(), chunk, chunk + got / 2);
        return out;
    }
    static std::vector<std::int16_t> channelOf(const std::vector<std::int16_t>& stereo, int side) {
        std::vector<std::int16_t> one;
        for (std::size_t i = side; i < stereo.size(); i += 2) one.push_back(stereo[i]);
        return one;
    }
    // Where two runs of samples first differ (or one ends), -1 when they are equal.
    static long firstDifference(const std::vector<std::int16_t>& got, const std::vector<std::int16_t>& expected) {
        const auto at = std::mismatch(expected.begin(), expected.end(), got.begin(), got.end()).first;
        if (at != expected.end()) return long(at - expected.begin());
        return got.size() == expected.size() ? -1 : long(expected.size());
    }
    // The same for the output's left side from its first sound on, as long as the expected run.
    static long heardDifference(const std::vector<std::int16_t>& expected) {
        std::vector<std::int16_t> left = channelOf(takeOutput(), 0);
        left.erase(left.begin(), std::find_if(left.begin(), left.end(), [](std::int16_t v) { return v != 0; }));
        if (left.size() > expected.size()) left.resize(expected.size());
        return firstDifference(left, expected);
    }
    std::vector<MemHandle> samples;
};

}  // namespace sndtest
