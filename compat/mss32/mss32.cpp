// The exported calls: argument checks, the driver lock, and the hand-over to the driver's handles.
#include "mss32.h"

#include <algorithm>
#include <memory>

#include "Driver.h"
#include "VirtualDevice.h"
#include "WaveOutDevice.h"

namespace {

constexpr std::uint32_t kPreferences = 64;
constexpr int kMaxDrivers = 4;

// Plain data only: nothing here runs a constructor under the loader lock.
std::int32_t preferences[kPreferences];
AilDriver* openDrivers[kMaxDrivers];
MssClock virtualClock;

bool formatUsable(const WAVEFORMATEX* format) {
    return format && format->wFormatTag == WAVE_FORMAT_PCM && (format->nChannels == 1 || format->nChannels == 2) &&
           (format->wBitsPerSample == 8 || format->wBitsPerSample == 16) && format->nSamplesPerSec > 0;
}

AilDriver** freeDriverSlot() {
    AilDriver** slot = std::find(std::begin(openDrivers), std::end(openDrivers), nullptr);
    return slot == std::end(openDrivers) ? nullptr : slot;
}

std::unique_ptr<WaveDevice> newDevice() {
    if (virtualClock) return std::make_unique<VirtualDevice>(virtualClock);
    return std::make_unique<WaveOutDevice>();
}

void closeDriver(AilDriver* driver) {
    std::replace(std::begin(openDrivers), std::end(openDrivers), driver, static_cast<AilDriver*>(nullptr));
    delete driver;
}

// Runs work on the sample's voice under its driver's lock, after the device has taken what is due.
template <typename Work>
auto withVoice(MssSample sample, Work work) -> decltype(work(std::declval<SampleVoice&>())) {
    if (!sample || !sample->driver) return decltype(work(std::declval<SampleVoice&>()))();
    AilDriver& driver = *sample->driver;
    DriverLock held(driver.lock);
    driver.device->serve();
    return work(driver.voiceOf(*sample));
}

}  // namespace

extern "C" {

void MSS_CALL AIL_startup() {}

void MSS_CALL AIL_shutdown() {
    for (AilDriver* driver : openDrivers)
        if (driver) closeDriver(driver);
}

std::int32_t MSS_CALL AIL_set_preference(std::uint32_t number, std::int32_t value) {
    if (number >= kPreferences) return 0;
    std::int32_t previous = preferences[number];
    preferences[number] = value;
    return previous;
}

std::int32_t MSS_CALL AIL_waveOutOpen(MssDriver* driver, HWAVEOUT* waveOut, std::int32_t deviceId,
                                      const WAVEFORMATEX* format) {
    if (driver) *driver = nullptr;
    if (waveOut) *waveOut = nullptr;
    AilDriver** slot = freeDriverSlot();
    if (!driver || !formatUsable(format) || !slot) return MMSYSERR_INVALPARAM;
    OutputFormat output{format->nSamplesPerSec, format->nChannels, format->wBitsPerSample};
    auto opened = std::make_unique<AilDriver>(output, newDevice());
    if (!opened->device->open(output, static_cast<std::uint32_t>(deviceId), *opened)) return MMSYSERR_NODRIVER;
    if (auto* waveOutDevice = dynamic_cast<WaveOutDevice*>(opened->device.get()); waveOutDevice && waveOut)
        *waveOut = waveOutDevice->handle();
    *slot = opened.release();
    *driver = *slot;
    return MMSYSERR_NOERROR;
}

void MSS_CALL AIL_waveOutClose(MssDriver driver) {
    if (driver && std::find(std::begin(openDrivers), std::end(openDrivers), driver) != std::end(openDrivers))
        closeDriver(driver);
}

std::int32_t MSS_CALL AIL_minimum_sample_buffer_size(MssDriver driver, std::int32_t rate, std::int32_t type) {
    if (!driver || rate <= 0) return 0;
    std::uint64_t outputFrames = driver->device->queuedFrames();
    std::uint64_t outputRate = driver->mixer.format().rate;
    std::uint64_t frames = (outputFrames * std::uint64_t(rate) + outputRate - 1) / outputRate;
    return static_cast<std::int32_t>(frames * std::uint64_t(sampleFormatOf(type, 0).bytesPerFrame()));
}

MssSample MSS_CALL AIL_allocate_sample_handle(MssDriver driver) {
    if (!driver) return nullptr;
    DriverLock held(driver->lock);
    return driver->allocate();
}

void MSS_CALL AIL_init_sample(MssSample sample) {
    withVoice(sample, [&](SampleVoice& v) { v.init(sample->driver->mixer.format().rate); });
}

void MSS_CALL AIL_set_sample_type(MssSample sample, std::int32_t type, std::uint32_t flags) {
    withVoice(sample, [&](SampleVoice& v) { v.setType(type, flags); });
}

void MSS_CALL AIL_set_sample_address(MssSample sample, const void* start, std::uint32_t length) {
    withVoice(sample, [&](SampleVoice& v) { v.setAddress(start, length); });
}

void MSS_CALL AIL_set_sample_playback_rate(MssSample sample, std::int32_t rate) {
    withVoice(sample, [&](SampleVoice& v) { v.setRate(rate); });
}

void MSS_CALL AIL_set_sample_volume(MssSample sample, std::int32_t volume) {
    withVoice(sample, [&](SampleVoice& v) { v.setVolume(volume); });
}

void MSS_CALL AIL_set_sample_pan(MssSample sample, std::int32_t pan) {
    withVoice(sample, [&](SampleVoice& v) { v.setPan(pan); });
}

void MSS_CALL AIL_set_sample_loop_count(MssSample sample, std::int32_t count) {
    withVoice(sample, [&](SampleVoice& v) { v.setLoopCount(count); });
}

void MSS_CALL AIL_start_sample(MssSample sample) {
    withVoice(sample, [](SampleVoice& v) { v.start(); });
}

void MSS_CALL AIL_stop_sample(MssSample sample) {
    withVoice(sample, [](SampleVoice& v) { v.stop(); });
}

void MSS_CALL AIL_resume_sample(MssSample sample) {
    withVoice(sample, [](SampleVoice& v) { v.resume(); });
}

void MSS_CALL AIL_end_sample(MssSample sample) {
    withVoice(sample, [](SampleVoice& v) { v.end(); });
}

std::uint32_t MSS_CALL AIL_sample_status(MssSample sample) {
    return withVoice(sample, [](SampleVoice& v) { return v.status(); });
}

std::uint32_t MSS_CALL AIL_sample_position(MssSample sample) {
    return withVoice(sample, [](SampleVoice& v) { return v.position(); });
}

std::int32_t MSS_CALL AIL_sample_buffer_ready(MssSample sample) {
    if (!sample) return -1;
    return withVoice(sample, [](SampleVoice& v) { return v.bufferReady(); });
}

void MSS_CALL AIL_load_sample_buffer(MssSample sample, std::uint32_t index, const void* buffer,
                                     std::uint32_t length) {
    withVoice(sample, [&](SampleVoice& v) { v.loadBuffer(index, buffer, length); });
}

void MSS_CALL AIL_serve() {
    for (AilDriver* driver : openDrivers) {
        if (!driver) continue;
        DriverLock held(driver->lock);
        driver->device->serve();
    }
}

void MSS_CALL MssTestUseVirtualDevice(MssClock clock) { virtualClock = clock; }

std::uint32_t MSS_CALL MssTestTakeOutput(MssDriver driver, void* out, std::uint32_t size) {
    if (!driver || !out) return 0;
    DriverLock held(driver->lock);
    driver->device->serve();
    auto* device = dynamic_cast<VirtualDevice*>(driver->device.get());
    return device ? device->takeOutput(out, size) : 0;
}

}  // extern "C"
