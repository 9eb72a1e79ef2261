// A movie's sound output: the decoded samples queue up and a wave device of the library's own takes them
// at the track's rate, silence when the queue runs dry. The device opens with the first samples.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "SmackDecoder.h"
#include "VirtualDevice.h"

// Where a virtual device's consumed output goes (tests).
using SoundTap = void (*)(const void* bytes, std::uint32_t size);

class SmackSound final : public SoundSink, public OutputSource {
public:
    // With a clock, a virtual device paced by it whose output goes to tap; without, wave-out.
    SmackSound(const SoundFormat& format, DeviceClock virtualClock, SoundTap tap);
    ~SmackSound() { stop(); }
    SmackSound(const SmackSound&) = delete;
    SmackSound& operator=(const SmackSound&) = delete;

    void play(const std::uint8_t* bytes, std::size_t size) override;
    void render(std::uint8_t* out, std::uint32_t frames) override;
    // Lets a virtual device take what is due and passes it to the tap.
    void serve();
    // Closes the device and drops what is queued.
    void stop();

private:
    OutputFormat format_;
    DeviceClock virtualClock_;
    SoundTap tap_;
    std::unique_ptr<WaveDevice> device_;
    bool open_ = false;
    std::mutex lock_;
    std::vector<std::uint8_t> queue_;
    std::size_t played_ = 0;  // bytes of queue_ already rendered
};
