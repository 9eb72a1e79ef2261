// An open driver: its output device, its mixer and its sample handles, guarded by one lock that the calls
// and the device's thread share.
#pragma once

#include <windows.h>

#include <memory>

#include "Mixer.h"
#include "WaveDevice.h"

struct AilDriver;

// What a sample handle points at: its driver and its place there.
struct AilSample {
    AilDriver* driver = nullptr;
    int index = 0;
};

class DriverLock {
public:
    explicit DriverLock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
    ~DriverLock() { LeaveCriticalSection(&section_); }
    DriverLock(const DriverLock&) = delete;
    DriverLock& operator=(const DriverLock&) = delete;

private:
    CRITICAL_SECTION& section_;
};

struct AilDriver final : OutputSource {
    static constexpr int kSamples = 16;

    AilDriver(const OutputFormat& format, std::unique_ptr<WaveDevice> outputDevice);
    ~AilDriver();
    AilDriver(const AilDriver&) = delete;
    AilDriver& operator=(const AilDriver&) = delete;

    void render(std::uint8_t* out, std::uint32_t frames) override;
    // A free handle, initialised; null when all are taken.
    AilSample* allocate();
    SampleVoice& voiceOf(const AilSample& sample) { return voices[sample.index]; }

    CRITICAL_SECTION lock;
    Mixer mixer;
    std::unique_ptr<WaveDevice> device;
    SampleVoice voices[kSamples];
    SampleVoice* voiceList[kSamples];
    AilSample handles[kSamples];
    bool allocated[kSamples] = {};
};
