// Wave output through winmm with an event callback and one refill thread.
#include "WaveOutDevice.h"

#include <algorithm>

bool WaveOutDevice::open(const OutputFormat& format, std::uint32_t deviceId, OutputSource& source) {
    WAVEFORMATEX wave = {};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = static_cast<WORD>(format.channels);
    wave.nSamplesPerSec = format.rate;
    wave.wBitsPerSample = static_cast<WORD>(format.bits);
    wave.nBlockAlign = static_cast<WORD>(format.bytesPerFrame());
    wave.nAvgBytesPerSec = format.rate * wave.nBlockAlign;
    event_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!event_) return false;
    if (calls_.open(&waveOut_, deviceId, &wave, reinterpret_cast<DWORD_PTR>(event_), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR) {
        waveOut_ = nullptr;
        close();
        return false;
    }
    source_ = &source;
    bufferBytes_ = kDeviceBufferFrames * static_cast<std::uint32_t>(format.bytesPerFrame());
    retryMilliseconds_ = std::max<DWORD>(1, kDeviceBufferFrames * kDeviceBuffers * 1000 / format.rate);
    memory_.assign(std::size_t(bufferBytes_) * kDeviceBuffers, 0);
    for (std::uint32_t i = 0; i < kDeviceBuffers; ++i) {
        headers_[i] = WAVEHDR{};
        headers_[i].lpData = reinterpret_cast<LPSTR>(memory_.data() + std::size_t(i) * bufferBytes_);
        headers_[i].dwBufferLength = bufferBytes_;
        calls_.prepare(waveOut_, &headers_[i], sizeof(WAVEHDR));
        headers_[i].dwFlags |= WHDR_DONE;
    }
    stopping_ = false;
    thread_ = CreateThread(nullptr, 0, threadMain, this, 0, nullptr);
    if (!thread_) {
        close();
        return false;
    }
    SetEvent(event_);
    return true;
}

void WaveOutDevice::close() {
    if (thread_) {
        stopping_ = true;
        SetEvent(event_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    if (waveOut_) {
        calls_.reset(waveOut_);
        for (WAVEHDR& header : headers_)
            if (header.dwFlags & WHDR_PREPARED) calls_.unprepare(waveOut_, &header, sizeof(WAVEHDR));
        calls_.close(waveOut_);
        waveOut_ = nullptr;
    }
    if (event_) {
        CloseHandle(event_);
        event_ = nullptr;
    }
    source_ = nullptr;
}

// Waits for a played buffer; while the driver refuses buffers no event comes, so the thread wakes once a
// queue's playing time and mixes again in its place.
DWORD WINAPI WaveOutDevice::threadMain(LPVOID self) {
    auto* device = static_cast<WaveOutDevice*>(self);
    DWORD timeout = INFINITE;
    for (;;) {
        DWORD woke = WaitForSingleObject(device->event_, timeout);
        if ((woke != WAIT_OBJECT_0 && woke != WAIT_TIMEOUT) || device->stopping_) return 0;
        timeout = device->pump() ? INFINITE : device->retryMilliseconds_;
    }
}

// Every buffer the driver has played is mixed again and queued behind the others; false when the driver
// refused one.
bool WaveOutDevice::pump() {
    bool accepted = true;
    for (WAVEHDR& header : headers_)
        if ((header.dwFlags & WHDR_DONE) && !refill(header)) accepted = false;
    return accepted;
}

// A refused buffer stays free and is mixed afresh at the next pass: its output is lost, but the voices keep
// their pace, so samples still end, and a driver that recovers plays on.
bool WaveOutDevice::refill(WAVEHDR& header) {
    source_->render(reinterpret_cast<std::uint8_t*>(header.lpData), kDeviceBufferFrames);
    header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
    if (calls_.write(waveOut_, &header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR) return true;
    header.dwFlags |= WHDR_DONE;
    return false;
}
