// The fake wave device installed for a test's lifetime with a 300 ms voice file; everything stopped at its end.
#pragma once

#include <string>
#include <utility>

#include "SoundFixture.h"

struct FakeWaveInstalled {
    explicit FakeWaveInstalled(std::string path) : voice(std::move(path)), previous(setWaveDevice(&device)) {
        writeWholeFile(voice, wave(std::string(3308, '\x90')));  // 300 ms at 11025 samples a second
    }
    ~FakeWaveInstalled() {
        OMSound::stopAll();
        OMWaveSound::closeDevice();
        device.refuseOpen = true;
        static_cast<void>(OMWaveSound::openDevice(0));
        setWaveDevice(previous);
    }
    // Lets the device play every buffer it holds, one per pump.
    void playOut() {
        for (int i = 0; i < 200 && OMWaveOutMixer::active(); ++i, device.complete()) OMWaveOutMixer::pump();
        OMWaveOutMixer::pump();
    }
    FakeWaveInstalled(const FakeWaveInstalled&) = delete;
    FakeWaveInstalled& operator=(const FakeWaveInstalled&) = delete;
    FakeWaveDevice device;
    const std::string voice;
    OMWaveDevice* const previous;
};
