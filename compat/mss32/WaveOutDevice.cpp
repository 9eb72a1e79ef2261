// Wave output through winmm with an event callback and one refill thread.
#include "WaveOutDevice.h"

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
    if (waveOutOpen(&waveOut_, deviceId, &wave, reinterpret_cast<DWORD_PTR>(event_), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR) {
        waveOut_ = nullptr;
        close();
        return false;
    }
    source_ = &source;
    bufferBytes_ = kDeviceBufferFrames * static_cast<std::uint32_t>(format.bytesPerFrame());
    memory_.assign(std::size_t(bufferBytes_) * kDeviceBuffers, 0);
    for (std::uint32_t i = 0; i < kDeviceBuffers; ++i) {
        headers_[i] = WAVEHDR{};
        headers_[i].lpData = reinterpret_cast<LPSTR>(memory_.data() + std::size_t(i) * bufferBytes_);
        headers_[i].dwBufferLength = bufferBytes_;
        waveOutPrepareHeader(waveOut_, &headers_[i], sizeof(WAVEHDR));
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
        waveOutReset(waveOut_);
        for (WAVEHDR& header : headers_)
            if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(waveOut_, &header, sizeof(WAVEHDR));
        waveOutClose(waveOut_);
        waveOut_ = nullptr;
    }
    if (event_) {
        CloseHandle(event_);
        event_ = nullptr;
    }
    source_ = nullptr;
}

DWORD WINAPI WaveOutDevice::threadMain(LPVOID self) {
    auto* device = static_cast<WaveOutDevice*>(self);
    while (WaitForSingleObject(device->event_, INFINITE) == WAIT_OBJECT_0 && !device->stopping_) device->pump();
    return 0;
}

// Every buffer the driver has played is mixed again and queued behind the others.
void WaveOutDevice::pump() {
    for (WAVEHDR& header : headers_)
        if (header.dwFlags & WHDR_DONE) refill(header);
}

void WaveOutDevice::refill(WAVEHDR& header) {
    source_->render(reinterpret_cast<std::uint8_t*>(header.lpData), kDeviceBufferFrames);
    header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
    waveOutWrite(waveOut_, &header, sizeof(WAVEHDR));
}
