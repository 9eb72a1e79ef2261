// A device without hardware: it consumes output at its rate by an injected millisecond clock, on serve,
// and keeps what it consumed for inspection, so that status and position are deterministic in tests.
#pragma once

#include <cstdint>
#include <vector>

#include "WaveDevice.h"

using DeviceClock = std::uint32_t (*)();

class VirtualDevice : public WaveDevice {
public:
    // Most bytes kept for inspection; older output is dropped.
    static constexpr std::size_t kCaptureLimit = 1 << 22;

    explicit VirtualDevice(DeviceClock clock) : clock_(clock) {}
    bool open(const OutputFormat& format, std::uint32_t deviceId, OutputSource& source) override;
    void close() override { source_ = nullptr; }
    void serve() override;
    std::uint32_t queuedFrames() const override { return kDeviceBufferFrames * kDeviceBuffers; }

    // Moves up to size consumed bytes, oldest first, to out; returns how many.
    std::uint32_t takeOutput(void* out, std::uint32_t size);

private:
    DeviceClock clock_;
    OutputSource* source_ = nullptr;
    OutputFormat format_;
    std::uint32_t openedAt_ = 0;
    std::uint64_t consumed_ = 0;  // frames
    std::vector<std::uint8_t> captured_;
};
