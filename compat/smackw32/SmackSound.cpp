// The sound queue between the decoder and the device's thread.
#include "SmackSound.h"

#include <algorithm>
#include <cstring>

#include "VirtualDevice.h"
#include "WaveOutDevice.h"

SmackSound::SmackSound(const SoundFormat& format, DeviceClock virtualClock, SoundTap tap)
    : virtualClock_(virtualClock), tap_(tap) {
    format_.rate = format.rate;
    format_.channels = format.channels;
    format_.bits = format.bits;
}

void SmackSound::play(const std::uint8_t* bytes, std::size_t size) {
    {
        std::lock_guard<std::mutex> held(lock_);
        queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(played_));
        played_ = 0;
        queue_.insert(queue_.end(), bytes, bytes + size);
    }
    if (open_) return;
    if (virtualClock_) device_ = std::make_unique<VirtualDevice>(virtualClock_);
    else device_ = std::make_unique<WaveOutDevice>();
    open_ = device_->open(format_, WAVE_MAPPER, *this);
}

void SmackSound::render(std::uint8_t* out, std::uint32_t frames) {
    std::size_t wanted = std::size_t(frames) * static_cast<std::size_t>(format_.bytesPerFrame());
    std::lock_guard<std::mutex> held(lock_);
    std::size_t count = std::min(wanted, queue_.size() - played_);
    if (count) std::memcpy(out, queue_.data() + played_, count);
    played_ += count;
    std::memset(out + count, format_.bits == 8 ? 0x80 : 0, wanted - count);
}

void SmackSound::serve() {
    if (!open_ || !virtualClock_) return;
    device_->serve();
    auto* device = static_cast<VirtualDevice*>(device_.get());
    std::uint8_t chunk[4096];
    while (std::uint32_t count = device->takeOutput(chunk, sizeof chunk))
        if (tap_) tap_(chunk, count);
}

void SmackSound::stop() {
    if (device_) device_->close();
    device_.reset();
    open_ = false;
    std::lock_guard<std::mutex> held(lock_);
    queue_.clear();
    played_ = 0;
}
