// The sound tests' fixture: a wave-out device that records what was written, finishes buffers only when
// told and can refuse to open, installed with a clock the test moves; wave files; a log of a sound's hooks.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "OMIStreamFile.h"
#include "OMSystemUtilities.h"
#include "OMWaveDevice.h"
#include "OMWaveOutMixer.h"
#include "OMWaveSound.h"
#include "TestSupport.h"
#include "WaveWriter.h"

// The mixer's default settings, with which every test but those of the settings runs.
inline constexpr std::int32_t kDefaultBlockSize = 1024;
inline constexpr std::int32_t kDefaultBufferCount = 16;
inline constexpr std::int32_t kDefaultStartLead = 4;
inline constexpr std::int32_t kDefaultKeepQueued = 6;

struct FakeWaveDevice : OMWaveDevice {
    void setBufferCount(std::int32_t count) override {
        flags_.assign(std::size_t(count), 0);
        queue.clear();
    }
    bool open(std::uint32_t rate) override {
        close();
        opens.push_back(rate);
        return open_ = !refuseOpen;
    }
    bool isOpen() const override { return open_; }
    void close() override {
        returnAll();
        open_ = false;
    }
    void reset() override {
        ++resets;
        returnAll();
    }
    void pause() override { ++pauses; }
    void restart() override { ++restarts; }
    void write(std::int32_t index, std::uint8_t* samples, std::uint32_t length) override {
        if (!open_) return;
        flags_[index] = kWaveBufferPrepared;
        queue.push_back(index);
        writes.emplace_back(reinterpret_cast<const char*>(samples), length);
    }
    void unprepare(std::int32_t index) override { flags_[index] = 0; }
    std::uint32_t flags(std::int32_t index) const override { return flags_[index]; }
    // The device finishes the oldest n buffers it holds.
    void complete(std::size_t n = 1) {
        for (; n && !queue.empty(); --n, queue.pop_front()) flags_[queue.front()] = kWaveBufferDone | kWaveBufferPrepared;
    }
    bool refuseOpen = false;
    std::vector<std::uint32_t> opens;
    int resets = 0, pauses = 0, restarts = 0;
    std::vector<std::string> writes;  // the samples of each write, as they were when written
    std::deque<std::int32_t> queue;

private:
    void returnAll() {
        for (std::uint32_t& f : flags_) f = 0;
        queue.clear();
    }
    bool open_ = false;
    std::vector<std::uint32_t> flags_;
};

inline std::string wave(const std::string& samples, std::uint32_t rate = 11025) {
    WaveSound w;
    w.sampleRate = rate;
    w.samples = samples;
    return writeWave(w);
}

// Hook calls of one sound as letters: S start, F finish (F+ while its tables still exist), P pause, R resume.
struct HookLog {
    void attach(OMWaveSound& s) {
        sound = &s;
        const OMLinkToObj<HookLog> start(this, &HookLog::started), finish(this, &HookLog::finished),
            pause(this, &HookLog::paused), resume(this, &HookLog::resumed);
        s.setStartHook(&start);
        s.setFinishHook(&finish);
        s.setPauseHook(&pause);
        s.setResumeHook(&resume);
    }
    void started() { calls += "S"; }
    void finished() { calls += sound->volumeTable ? "F+" : "F"; }
    void paused() { calls += "P"; }
    void resumed() { calls += "R"; }
    OMWaveSound* sound = nullptr;
    std::string calls;
};

// The fake device and a clock installed; sound files written into a temporary folder; every sound that
// is still playing stopped at the end, and the device closed.
struct SoundFixture : ::testing::Test {
    void SetUp() override {
        previousDevice = setWaveDevice(&device);
        previousClock = setClockSource([] { return now; });
        now = 1000;
    }
    // A refused probe leaves the keep-open flag that players set back at its default.
    void TearDown() override {
        OMSound::stopAll();
        OMWaveSound::closeDevice();
        device.refuseOpen = true;
        (void)OMWaveSound::openDevice(0);
        setClockSource(previousClock);
        setWaveDevice(previousDevice);
    }
    static inline std::uint32_t now = 0;
    // A file in the temporary folder and a stream over it: whole (read into memory) or in blocks.
    OMIStreamFile* streamOver(const std::string& name, const std::string& bytes, bool whole = true) {
        writeWholeFile(folder.file(name), bytes);
        streams.emplace_back(new OMIStreamFile(folder.file(name).c_str(), whole ? kStreamWhole : 0, nullptr));
        return streams.back().get();
    }
    // Pumps until nothing changes: the device finishes one buffer per round.
    void playOut(int rounds = 200) {
        for (int i = 0; i < rounds && OMWaveOutMixer::active(); ++i) {
            OMWaveOutMixer::pump();
            device.complete();
        }
        OMWaveOutMixer::pump();
    }
    // Every sample written, in the order of the writes.
    std::string written() const {
        std::string all;
        for (const std::string& w : device.writes) all += w;
        return all;
    }
    FakeWaveDevice device;
    TempFolder folder;
    std::vector<std::unique_ptr<OMIStreamFile>> streams;

private:
    OMWaveDevice* previousDevice = nullptr;
    OMClockSource previousClock = nullptr;
};

// Sounds made from samples in the order of the calls, all destroyed before the device is stopped.
struct SoundsFixture : SoundFixture {
    OMWaveSound* make(const std::string& samples, bool whole = true) {
        sounds.emplace_back(new OMWaveSound(streamOver("s" + std::to_string(sounds.size()) + ".wav", wave(samples),
                                                       whole), 1));
        return sounds.back().get();
    }
    void TearDown() override {
        sounds.clear();
        SoundFixture::TearDown();
    }
    std::vector<std::unique_ptr<OMWaveSound>> sounds;
};
