// The one interface between the library and an output device: the device asks for mixed output when it
// can take more. The wave-out device does so from its own thread; the virtual device when it is told the
// time, for tests.
#pragma once

#include <cstdint>

#include "Mixer.h"

// Fills frames of output in the device's format; it takes the library's lock itself.
class OutputSource {
public:
    virtual void render(std::uint8_t* out, std::uint32_t frames) = 0;

protected:
    ~OutputSource() = default;
};

class WaveDevice {
public:
    virtual ~WaveDevice() = default;
    // Starts taking output from source; false when the device refuses the format or is missing.
    [[nodiscard]] virtual bool open(const OutputFormat& format, std::uint32_t deviceId, OutputSource& source) = 0;
    // Stops taking output; returns once no render call is running or will start.
    virtual void close() = 0;
    // Gives the device a chance to take what is due now (the virtual device's clock step).
    virtual void serve() {}
    // Output frames the device holds queued ahead of the speaker.
    virtual std::uint32_t queuedFrames() const = 0;
};

// Frames of one device buffer, and buffers in the queue.
constexpr std::uint32_t kDeviceBufferFrames = 1024;
constexpr std::uint32_t kDeviceBuffers = 4;
