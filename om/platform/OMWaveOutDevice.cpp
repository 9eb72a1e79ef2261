// The system's wave output. No callback: the mixer polls the done flags that the driver sets in the headers.
#include "OMWaveOutDevice.h"

namespace {

OMWaveDevice* installed = nullptr;

}  // namespace

bool OMWaveOutDevice::validIndex(std::int32_t index) const {
    return index >= 0 && std::size_t(index) < headers_.size();
}

void OMWaveOutDevice::unprepareAll() {
    for (std::size_t i = 0; i < headers_.size(); ++i) unprepare(static_cast<std::int32_t>(i));
}

void OMWaveOutDevice::setBufferCount(std::int32_t count) {
    unprepareAll();
    headers_.assign(std::size_t(count), WAVEHDR{});
}

bool OMWaveOutDevice::open(std::uint32_t rate) {
    close();
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = rate;
    format.nAvgBytesPerSec = rate;
    format.nBlockAlign = 1;
    format.wBitsPerSample = 8;
    if (waveOutOpen(&handle_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) handle_ = nullptr;
    return handle_ != nullptr;
}

void OMWaveOutDevice::close() {
    reset();
    if (handle_) waveOutClose(handle_);
    handle_ = nullptr;
}

void OMWaveOutDevice::reset() {
    if (handle_) waveOutReset(handle_);
    unprepareAll();
}

void OMWaveOutDevice::pause() {
    if (handle_) waveOutPause(handle_);
}

void OMWaveOutDevice::restart() {
    if (handle_) waveOutRestart(handle_);
}

void OMWaveOutDevice::write(std::int32_t index, std::uint8_t* samples, std::uint32_t length) {
    if (!validIndex(index)) return;
    WAVEHDR& header = headers_[index];
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(samples);
    header.dwBufferLength = length;
    if (!handle_ || waveOutPrepareHeader(handle_, &header, sizeof header) != MMSYSERR_NOERROR) return;
    if (waveOutWrite(handle_, &header, sizeof header) != MMSYSERR_NOERROR) unprepare(index);
}

void OMWaveOutDevice::unprepare(std::int32_t index) {
    if (!validIndex(index)) return;
    WAVEHDR& header = headers_[index];
    if (handle_ && (flags(index) & WHDR_PREPARED)) waveOutUnprepareHeader(handle_, &header, sizeof header);
    header.dwFlags = 0;
}

// The driver's thread sets the done flag: read it afresh every time.
std::uint32_t OMWaveOutDevice::flags(std::int32_t index) const {
    if (!validIndex(index)) return 0;
    return *static_cast<const volatile DWORD*>(&headers_[index].dwFlags);
}

OMWaveDevice& waveDevice() {
    static OMWaveOutDevice system;
    return installed ? *installed : system;
}

OMWaveDevice* setWaveDevice(OMWaveDevice* device) {
    OMWaveDevice* replaced = &waveDevice();
    installed = device;
    return replaced;
}
