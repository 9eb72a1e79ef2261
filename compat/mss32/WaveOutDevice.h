// The system's wave output: a queue of buffers that a thread of the device refills with mixed output as
// the wave-out driver hands them back (it signals an event; the thread does the work), and mixes again in
// place of buffers the driver refuses.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <vector>

#include "WaveDevice.h"

// The winmm calls the device makes; tests put a fake device behind them.
struct WaveOutCalls {
    decltype(&::waveOutOpen) open = ::waveOutOpen;
    decltype(&::waveOutPrepareHeader) prepare = ::waveOutPrepareHeader;
    decltype(&::waveOutWrite) write = ::waveOutWrite;
    decltype(&::waveOutReset) reset = ::waveOutReset;
    decltype(&::waveOutUnprepareHeader) unprepare = ::waveOutUnprepareHeader;
    decltype(&::waveOutClose) close = ::waveOutClose;
};

class WaveOutDevice : public WaveDevice {
public:
    explicit WaveOutDevice(const WaveOutCalls& calls = WaveOutCalls{}) : calls_(calls) {}
    ~WaveOutDevice() override { close(); }
    bool open(const OutputFormat& format, std::uint32_t deviceId, OutputSource& source) override;
    void close() override;
    std::uint32_t queuedFrames() const override { return kDeviceBufferFrames * kDeviceBuffers; }
    HWAVEOUT handle() const { return waveOut_; }

private:
    static DWORD WINAPI threadMain(LPVOID self);
    bool refill(WAVEHDR& header);
    bool pump();

    WaveOutCalls calls_;
    HWAVEOUT waveOut_ = nullptr;
    HANDLE event_ = nullptr;
    HANDLE thread_ = nullptr;
    std::atomic<bool> stopping_{false};
    OutputSource* source_ = nullptr;
    std::uint32_t bufferBytes_ = 0;
    DWORD retryMilliseconds_ = 0;
    std::vector<std::uint8_t> memory_;
    WAVEHDR headers_[kDeviceBuffers] = {};
};
