// The system's wave output (waveOut on WAVE_MAPPER, no callback), polled through its buffers' headers.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "OMWaveDevice.h"

class OMWaveOutDevice : public OMWaveDevice {
public:
    OMWaveOutDevice() = default;
    OMWaveOutDevice(const OMWaveOutDevice&) = delete;
    OMWaveOutDevice& operator=(const OMWaveOutDevice&) = delete;
    ~OMWaveOutDevice() override { close(); }

    void setBufferCount(std::int32_t count) override;
    bool open(std::uint32_t rate) override;
    bool isOpen() const override { return handle_ != nullptr; }
    void close() override;
    void reset() override;
    void pause() override;
    void restart() override;
    void write(std::int32_t index, std::uint8_t* samples, std::uint32_t length) override;
    void unprepare(std::int32_t index) override;
    std::uint32_t flags(std::int32_t index) const override;

private:
    bool validIndex(std::int32_t index) const;
    void unprepareAll();

    HWAVEOUT handle_ = nullptr;
    // The driver keeps pointers to queued headers: the vector is resized only while none is queued.
    std::vector<WAVEHDR> headers_;
};
