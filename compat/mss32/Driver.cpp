// An open driver's handles and its render entry for the device.
#include "Driver.h"

AilDriver::AilDriver(const OutputFormat& format, std::unique_ptr<WaveDevice> outputDevice)
    : mixer(format), device(std::move(outputDevice)) {
    InitializeCriticalSection(&lock);
    for (int i = 0; i < kSamples; ++i) {
        voiceList[i] = &voices[i];
        handles[i] = AilSample{this, i};
    }
}

// The device's thread renders under the lock: it stops before the lock goes.
AilDriver::~AilDriver() {
    if (device) device->close();
    DeleteCriticalSection(&lock);
}

void AilDriver::render(std::uint8_t* out, std::uint32_t frames) {
    DriverLock held(lock);
    mixer.mix(voiceList, kSamples, out, frames);
}

AilSample* AilDriver::allocate() {
    for (int i = 0; i < kSamples; ++i) {
        if (allocated[i]) continue;
        allocated[i] = true;
        voices[i].init(mixer.format().rate);
        return &handles[i];
    }
    return nullptr;
}
