// The driver layer over the sound library's calls.
#include "SndDriver.h"

#include <algorithm>
#include <cstring>

#include "MemHandle.h"
#include "mss32.h"

namespace {

constexpr std::uint32_t kDoubleBuffers = 2;  // the library's buffers per sample, named by their index

struct DriverVoice {
    MssSample handle = nullptr;
    std::uint16_t state = 0;
    std::uint16_t channels = 0;
    std::uint16_t bits = 0;
    std::uint16_t rate = 0;
    std::uint32_t volume = 0;
    std::uint32_t pan = 0;
    std::uint16_t buffered = 0;
    std::uint32_t readyBuffer = kSndNoBuffer;
    // A piece shorter than a driver buffer is padded in a buffer of the voice's own, one per double
    // buffer, so that the piece queued behind it does not overwrite it before it has played.
    void* buffers[kDoubleBuffers] = {};
};

struct DriverLayer {
    MssDriver driver = nullptr;
    std::uint16_t voiceCount = 0;
    std::uint32_t bufferSize = 0;
    WAVEFORMATEX format = {};
    DriverVoice voices[kSndMaxDriverVoices];
    SndDeviceCount deviceCount = nullptr;
};

DriverLayer layer;

// The marker load that ends a buffered voice's data points at a zero word.
const std::uint32_t kZeroWord = 0;

DriverVoice* voiceAt(std::uint16_t voice) {
    return layer.driver && voice < layer.voiceCount ? &layer.voices[voice] : nullptr;
}

std::int32_t sampleType(std::uint16_t channels, std::uint16_t bits) { return bits / 8 + 2 * channels - 3; }

bool openOutput(std::uint16_t channels, std::uint16_t bits, std::uint32_t rate) {
    for (std::uint32_t tried : {44100u, 22050u, 11025u}) {
        if (rate < tried) continue;
        WAVEFORMATEX& f = layer.format;
        f = WAVEFORMATEX{};
        f.wFormatTag = WAVE_FORMAT_PCM;
        f.nChannels = channels;
        f.nSamplesPerSec = tried;
        f.nBlockAlign = static_cast<WORD>((bits + 7) / 8 * channels);
        f.nAvgBytesPerSec = f.nBlockAlign * tried;
        f.wBitsPerSample = bits;
        if (AIL_waveOutOpen(&layer.driver, nullptr, 0, &f) == 0) return true;
    }
    layer.driver = nullptr;
    return false;
}

bool startVoices(std::uint16_t count) {
    for (std::uint16_t i = 0; i < count; ++i) {
        DriverVoice& v = layer.voices[i];
        v.handle = AIL_allocate_sample_handle(layer.driver);
        if (!v.handle) return false;
        AIL_init_sample(v.handle);
        v.state = kSndVoiceSetUp;
        v.buffered = 0;
        v.readyBuffer = kSndNoBuffer;
        v.volume = 127;
        v.pan = 127;
        AIL_set_sample_pan(v.handle, 127);
        AIL_set_sample_volume(v.handle, 127);
        for (void*& buffer : v.buffers)
            if (!(buffer = MemPtrAlloc(layer.bufferSize))) return false;
    }
    return true;
}

void setUp(DriverVoice& v, std::uint16_t channels, std::uint16_t bits, std::uint16_t rate) {
    AIL_init_sample(v.handle);
    AIL_set_sample_type(v.handle, sampleType(channels, bits), bits == 16 ? kMssSigned : 0);
    AIL_set_sample_playback_rate(v.handle, rate);
    AIL_set_sample_pan(v.handle, static_cast<std::int32_t>(v.pan));
    AIL_set_sample_volume(v.handle, static_cast<std::int32_t>(v.volume));
    v.state = kSndVoiceSetUp;
    v.buffered = 0;
    v.readyBuffer = kSndNoBuffer;
    v.channels = channels;
    v.bits = bits;
    v.rate = rate;
}

std::uint32_t readyBuffer(DriverVoice& v) {
    if (!v.buffered || v.state != kSndVoicePlaying) return kSndNoBuffer;
    if (v.readyBuffer == kSndNoBuffer) v.readyBuffer = static_cast<std::uint32_t>(AIL_sample_buffer_ready(v.handle));
    return v.readyBuffer;
}

}  // namespace

SndDeviceCount SndDriverSetDeviceCount(SndDeviceCount count) {
    SndDeviceCount previous = layer.deviceCount;
    layer.deviceCount = count;
    return previous;
}

std::int16_t SndDriverStart(std::uint16_t voices, std::uint16_t outputChannels, std::uint16_t bits, std::uint32_t rate) {
    std::uint32_t devices = layer.deviceCount ? layer.deviceCount() : waveOutGetNumDevs();
    if (voices > kSndMaxDriverVoices || devices == 0) return 0;
    AIL_startup();
    AIL_set_preference(1, voices);
    AIL_set_preference(11, static_cast<std::int32_t>(bits / 8 * outputChannels * rate * 3));
    AIL_set_preference(15, 1);
    bool started = openOutput(outputChannels, bits, rate);
    if (started) {
        layer.bufferSize = static_cast<std::uint32_t>(AIL_minimum_sample_buffer_size(
            layer.driver, static_cast<std::int32_t>(rate), sampleType(outputChannels, bits)));
        layer.voiceCount = voices;
        started = startVoices(voices);
    }
    if (!started) SndDriverShutdown();
    return started ? 1 : 0;
}

void SndDriverShutdown() {
    for (DriverVoice& v : layer.voices) {
        if (!v.handle) continue;
        AIL_end_sample(v.handle);
        for (void*& buffer : v.buffers) MemPtrFree(&buffer);
        v = DriverVoice{};
    }
    if (layer.driver) AIL_waveOutClose(layer.driver);
    layer.driver = nullptr;
    layer.voiceCount = 0;
    layer.bufferSize = 0;
    AIL_shutdown();
}

void SndDriverServe() { AIL_serve(); }

std::uint32_t SndDriverBufferSize() { return layer.driver ? layer.bufferSize : 0; }

AilDriver* SndDriverHandle() { return layer.driver; }

void SndDriverSetUp(std::uint16_t voice, std::uint16_t channels, std::uint16_t bits, std::uint16_t rate) {
    if (DriverVoice* v = voiceAt(voice)) setUp(*v, channels, bits, rate);
}

std::int16_t SndDriverPlay(std::uint16_t voice, const void* data, std::uint32_t frames, std::uint16_t channels,
                           std::uint16_t bits, std::uint16_t rate, std::uint16_t loop) {
    DriverVoice* v = voiceAt(voice);
    if (!v || !data) return 1;
    setUp(*v, channels, bits, rate);
    if (loop) AIL_set_sample_loop_count(v->handle, 0);
    AIL_set_sample_address(v->handle, data, static_cast<std::uint32_t>(std::uint64_t(frames) * channels * bits / 8));
    AIL_start_sample(v->handle);
    v->state = kSndVoicePlaying;
    return 0;
}

std::int16_t SndDriverPlayBuffer(std::uint16_t voice, std::uint32_t* bufferIndex, const void* data,
                                 std::uint32_t frames, std::uint16_t channels, std::uint16_t bits, std::uint16_t rate) {
    DriverVoice* v = voiceAt(voice);
    if (!v || !bufferIndex || !data) return kSndBufferFailed;
    bool joins = AIL_sample_status(v->handle) == kMssPlaying && v->buffered && v->channels == channels &&
                 v->bits == bits && v->rate == rate;
    if (!joins) {
        setUp(*v, channels, bits, rate);
        v->buffered = 1;
        v->state = kSndVoicePlaying;
    }
    std::uint32_t index = readyBuffer(*v);
    *bufferIndex = index;
    if (index == kSndNoBuffer) return kSndBufferNoneFree;
    if (index >= kDoubleBuffers) return kSndBufferFailed;
    auto bytes = static_cast<std::uint32_t>(std::uint64_t(frames) * channels * bits / 8);
    const void* address = data;
    if (bytes < layer.bufferSize) {
        auto* own = static_cast<std::uint8_t*>(v->buffers[index]);
        std::memcpy(own, data, bytes);
        std::memset(own + bytes, bits == 8 ? 0x80 : 0, layer.bufferSize - bytes);
        address = own;
        bytes = layer.bufferSize;
    }
    AIL_load_sample_buffer(v->handle, index, address, bytes);
    v->readyBuffer = kSndNoBuffer;
    return kSndBufferLoaded;
}

// Waits for a free buffer to take the end marker; a voice that stops playing meanwhile can take no marker
// and needs none, so the wait ends there instead of spinning.
std::int16_t SndDriverEndOfData(std::uint16_t voice) {
    DriverVoice* v = voiceAt(voice);
    if (!v || !v->buffered) return 1;
    std::uint32_t index = readyBuffer(*v);
    while (index == kSndNoBuffer && AIL_sample_status(v->handle) == kMssPlaying) {
        AIL_serve();
        index = readyBuffer(*v);
    }
    if (index != kSndNoBuffer) AIL_load_sample_buffer(v->handle, index, &kZeroWord, 0);
    v->buffered = 0;
    v->readyBuffer = kSndNoBuffer;
    return 0;
}

std::int16_t SndDriverStop(std::uint16_t voice) {
    DriverVoice* v = voiceAt(voice);
    if (!v) return 1;
    if (v->state != kSndVoiceDone && AIL_sample_status(v->handle) != kMssDone) AIL_end_sample(v->handle);
    AIL_init_sample(v->handle);
    v->state = kSndVoiceDone;
    v->buffered = 0;
    v->readyBuffer = kSndNoBuffer;
    return 0;
}

std::int16_t SndDriverPause(std::uint16_t voice) {
    DriverVoice* v = voiceAt(voice);
    if (!v) return 1;
    if (v->state == kSndVoicePlaying) {
        AIL_stop_sample(v->handle);
        v->state = kSndVoicePaused;
    }
    return 0;
}

std::int16_t SndDriverResume(std::uint16_t voice) {
    DriverVoice* v = voiceAt(voice);
    if (!v || v->state != kSndVoicePaused) return 1;
    AIL_resume_sample(v->handle);
    v->state = kSndVoicePlaying;
    return 0;
}

std::int16_t SndDriverIsPlaying(std::uint16_t voice) {
    DriverVoice* v = voiceAt(voice);
    return v && v->state == kSndVoicePlaying && AIL_sample_status(v->handle) == kMssPlaying ? 1 : 0;
}

std::int16_t SndDriverIsDone(std::uint16_t voice) {
    DriverVoice* v = voiceAt(voice);
    return v && (v->state == kSndVoiceDone || AIL_sample_status(v->handle) == kMssDone) ? 1 : 0;
}

std::int16_t SndDriverIsPaused(std::uint16_t voice) {
    DriverVoice* v = voiceAt(voice);
    return v && v->state == kSndVoicePaused ? 1 : 0;
}

void SndDriverSetVolume(std::uint16_t voice, std::uint32_t volume) {
    if (DriverVoice* v = voiceAt(voice)) {
        AIL_set_sample_volume(v->handle, static_cast<std::int32_t>(volume));
        v->volume = volume;
    }
}

void SndDriverSetPan(std::uint16_t voice, std::uint32_t pan) {
    if (DriverVoice* v = voiceAt(voice)) {
        AIL_set_sample_pan(v->handle, static_cast<std::int32_t>(pan));
        v->pan = pan;
    }
}

std::uint32_t SndDriverReadyBuffer(std::uint16_t voice) {
    DriverVoice* v = voiceAt(voice);
    return v ? readyBuffer(*v) : 0;
}

std::uint32_t SndDriverPosition(std::uint16_t voice) {
    DriverVoice* v = voiceAt(voice);
    return v && v->state != kSndVoiceSetUp ? AIL_sample_position(v->handle) : 0;
}
