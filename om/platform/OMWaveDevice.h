// The wave-out device as the mixer sees it: one 8-bit mono PCM output with a fixed set of buffers, polled
// through their flags. The product uses the system's wave output; tests install a device of their own.
#pragma once

#include <cstdint>

// Buffer flags, with the values of the system's wave headers: 0 is a free buffer.
inline constexpr std::uint32_t kWaveBufferDone = 1;
inline constexpr std::uint32_t kWaveBufferPrepared = 2;

// Buffers are named by index (0 .. buffer count - 1); their memory belongs to the mixer and stays put.
class OMWaveDevice {
public:
    virtual ~OMWaveDevice() = default;
    // Holds `count` buffers from now on, every one free. The mixer calls it only while nothing is queued.
    virtual void setBufferCount(std::int32_t count) = 0;
    // Opens the output for unsigned 8-bit mono samples at rate; false (and closed) when refused.
    [[nodiscard]] virtual bool open(std::uint32_t rate) = 0;
    virtual bool isOpen() const = 0;
    // Returns every buffer and closes the output.
    virtual void close() = 0;
    // Returns every buffer (unprepared, flags 0); nothing is queued afterwards.
    virtual void reset() = 0;
    virtual void pause() = 0;
    virtual void restart() = 0;
    // Prepares buffer `index` over samples and queues it behind the others; nothing while closed.
    virtual void write(std::int32_t index, std::uint8_t* samples, std::uint32_t length) = 0;
    // Unprepares a buffer the device has finished; its flags become 0.
    virtual void unprepare(std::int32_t index) = 0;
    virtual std::uint32_t flags(std::int32_t index) const = 0;
};

// The device in use: the system's wave output unless a test installed another. Returns the one replaced;
// null restores the system's.
OMWaveDevice& waveDevice();
OMWaveDevice* setWaveDevice(OMWaveDevice* device);
