// The voice pool and a voice's life on the driver: allocation, queueing, start, stop, pause and resume by
// the clock, release with its end procedure, and the voice operations by handle.
#include "SndVoice.h"

#include <algorithm>

#include "EngineClock.h"
#include "SndChannel.h"
#include "SndDriver.h"
#include "SndManagerState.h"
#include "SndSample.h"

namespace sndmgr {

namespace {

bool isActive(SndVoiceState state) {
    return state == SndVoiceState::queued || state == SndVoiceState::playing || state == SndVoiceState::paused;
}

bool hasEnded(SndVoiceState state) {
    return state == SndVoiceState::passEnded || state == SndVoiceState::stopped || state == SndVoiceState::failed;
}

// A stopped driver voice forgets its buffers, so the voices queued from this one on hold none any more.
void dropBuffersFrom(Voice& voice) {
    for (Voice* v = &voice; v; v = v->next) v->bufferIndex = kNoBuffer;
}

void unlink(Voice& voice) {
    Channel* c = channelAt(static_cast<std::int16_t>(voice.channel));
    if (!c) return;
    (voice.previous ? voice.previous->next : c->head) = voice.next;
    (voice.next ? voice.next->previous : c->tail) = voice.previous;
    voice.next = voice.previous = nullptr;
    --c->voiceCount;
    recomputePriority(*c);
}

void returnToFreeList(Voice& voice) {
    if (voice.lockedHeader) SndSampleUnlock(voice.sample);
    if (voice.autoFree) SndFreeSample(&voice.sample);
    std::uint8_t index = voice.index;
    voice = Voice{};
    voice.index = index;
    voice.next = manager.freeList;
    manager.freeList = &voice;
}

// An append voice ends by the clock, which the driver's mixing may trail: unless a voice behind it has
// taken over the driver, the driver voice is stopped before the data goes back (end procedure, auto-free).
void stopDriverBehind(const Voice& voice) {
    if (voice.state != SndVoiceState::passEnded || !voice.append || !driverRuns()) return;
    const Channel* c = channelAt(static_cast<std::int16_t>(voice.channel));
    if (c && c->head && c->head->bufferIndex != kNoBuffer) return;
    SndDriverStop(voice.channel);
}

// Frames the voice has played by the clock value `until`, uncapped; none before its start, which for an
// append voice queued behind another lies ahead.
std::uint32_t framesBy(const Voice& voice, std::uint32_t until) {
    if (static_cast<std::int32_t>(until - voice.startTime) < 0) return 0;
    std::uint64_t scaled = std::uint64_t(until - voice.startTime) * voice.rate;
    return static_cast<std::uint32_t>((scaled - std::min<std::uint64_t>(scaled, voice.startFraction)) / 1000);
}

}  // namespace

void resetVoices() {
    manager.freeList = nullptr;
    for (int i = kSndVoices - 1; i >= 0; --i) {
        manager.voices[i] = Voice{};
        manager.voices[i].index = static_cast<std::uint8_t>(i);
        manager.voices[i].next = manager.freeList;
        manager.freeList = &manager.voices[i];
    }
}

Voice* allocateVoice() {
    Voice* voice = manager.freeList;
    if (!voice) return nullptr;
    manager.freeList = voice->next;
    std::uint8_t index = voice->index;
    *voice = Voice{};
    voice->index = index;
    manager.serial += 2;
    voice->handle = manager.serial << 8 | index;
    return voice;
}

Voice* voiceOf(SndVoiceHandle handle) {
    std::uint32_t index = handle & 0xFF;
    if (handle == 0 || index >= kSndVoices || manager.voices[index].handle != handle) return nullptr;
    return &manager.voices[index];
}

void enqueue(std::int16_t channel, Voice& voice) {
    Channel& c = *channelAt(channel);
    voice.channel = static_cast<std::uint16_t>(channel);
    voice.previous = c.tail;
    voice.next = nullptr;
    (c.tail ? c.tail->next : c.head) = &voice;
    c.tail = &voice;
    ++c.voiceCount;
    recomputePriority(c);
}

void recomputePriority(Channel& channel) {
    if (channel.priorityOffset == kSndNoPriority || !channel.head) {
        channel.effectivePriority = kSndNoPriority;
        return;
    }
    int best = kSndNoPriority;
    for (Voice* v = channel.head; v; v = v->next) best = std::max<int>(best, v->priority);
    channel.effectivePriority = static_cast<std::int16_t>(std::clamp(best + channel.priorityOffset, -32767, 32767));
}

// The end procedure runs with the voice out of its queue but still carrying its handle and fields, so that
// it may read them and start a new play on the same channel.
void releaseVoice(Voice& voice) {
    unlink(voice);
    stopDriverBehind(voice);
    if (hasEnded(voice.state)) {
        if (driverRuns() && voice.dataHandle) MemHandleUnlock(voice.dataHandle);
        if (voice.endProc && voice.handle) voice.endProc(voice.handle, voice.state);
        voice.state = SndVoiceState::free;
    }
    if (voice.state == SndVoiceState::free) returnToFreeList(voice);
}

std::int16_t stopVoice(Voice& voice) {
    std::int16_t result = 0;
    if (voice.state == SndVoiceState::playing || voice.state == SndVoiceState::paused) {
        result = SndDriverStop(voice.channel);
        dropBuffersFrom(voice);
        manager.sounding[voice.channel] = 0;
        voice.state = result ? SndVoiceState::failed : SndVoiceState::stopped;
    } else if (voice.state == SndVoiceState::queued) {
        voice.state = SndVoiceState::stopped;
    }
    releaseVoice(voice);
    return result;
}

std::int16_t endVoice(Voice& voice) {
    bool sounds = voice.state == SndVoiceState::playing || voice.state == SndVoiceState::paused;
    return sounds && !driverRuns() ? 0 : stopVoice(voice);
}

// Pausing stops the driver voice and notes the time; the sounding flag stays, as the voice is still owed.
std::int16_t pauseVoice(Voice& voice) {
    if (SndDriverStop(voice.channel)) {
        voice.state = SndVoiceState::failed;
        manager.sounding[voice.channel] = 0;
        return 1;
    }
    dropBuffersFrom(voice);
    voice.pauseTime = ClockMilliseconds();
    voice.state = SndVoiceState::paused;
    return 0;
}

// The driver loops a looped voice on its own, so the clock runs on past its length: such a voice resumes
// at its place in the pass it was in.
std::int16_t resumeVoice(Voice& voice) {
    std::uint32_t now = ClockMilliseconds();
    std::uint32_t frame = framesBy(voice, voice.pauseTime);
    voice.startTime = now - (voice.pauseTime - voice.startTime);
    if (voice.loop && voice.length) frame %= voice.length;
    if (!restartVoice(voice, frame)) {
        voice.state = SndVoiceState::failed;
        manager.sounding[voice.channel] = 0;
        return 1;
    }
    voice.state = SndVoiceState::playing;
    return 0;
}

// An append voice keeps the start time set when its data went into a driver buffer.
bool startVoice(Voice& voice) {
    applyLevel(static_cast<std::int16_t>(voice.channel));
    if (!voice.append) {
        voice.startTime = ClockMilliseconds();
        voice.startFraction = 0;
    }
    manager.sounding[voice.channel] = 1;
    bool started = voice.append ? voice.bufferIndex != kNoBuffer
                                : SndDriverPlay(voice.channel, voice.data, voice.length, voice.channels,
                                                voice.bits, voice.rate, voice.loop) == 0;
    if (!started) manager.sounding[voice.channel] = 0;
    return started;
}

bool restartVoice(Voice& voice, std::uint32_t frame) {
    if (frame >= voice.length || voice.rate == 0) return false;
    const std::uint8_t* from = voice.data + std::size_t(frame) * (voice.bits / 8) * voice.channels;
    std::uint32_t frames = voice.length - frame;
    voice.startTime = ClockMilliseconds() -
                      static_cast<std::uint32_t>((std::uint64_t(frame) * 1000 + voice.rate / 2) / voice.rate);
    voice.startFraction = 0;
    manager.sounding[voice.channel] = 1;
    // Restarted inside its pass, a looped voice plays the rest of the pass once; the end of that pass
    // restarts it from frame 0, looping whole.
    std::uint16_t loop = frame == 0 ? voice.loop : 0;
    if (!voice.append)
        return SndDriverPlay(voice.channel, from, frames, voice.channels, voice.bits, voice.rate, loop) == 0;
    if (voice.bufferIndex != kNoBuffer) return true;
    return SndDriverPlayBuffer(voice.channel, &voice.bufferIndex, from, frames, voice.channels, voice.bits,
                               voice.rate) != kSndBufferFailed;
}

// The driver plays an append voice right behind the append voice ahead of it in the queue, or at once when
// none holds a buffer; taking the clock at the service pass that finds the voice ahead ended would make
// every piece start a pass late on the clock. The voice ahead holds the driver for one whole buffer at
// least, as a shorter piece is padded with silence. Its end is kept to the fraction of a millisecond, so
// that a long run of pieces neither drifts nor ends a piece on the clock before the driver has played it.
void scheduleAppend(Voice& voice) {
    voice.startTime = ClockMilliseconds();
    voice.startFraction = 0;
    const Voice* ahead = voice.previous;
    if (!ahead || !ahead->append || ahead->bufferIndex == kNoBuffer || ahead->rate == 0) return;
    std::uint32_t frameBytes = std::max(ahead->bits / 8 * ahead->channels, 1);
    std::uint32_t held = std::max(ahead->length, SndDriverBufferSize() / frameBytes);
    std::uint64_t scaled = ahead->startFraction + std::uint64_t(held) * 1000;
    std::uint32_t end = ahead->startTime + static_cast<std::uint32_t>(scaled / ahead->rate);
    if (static_cast<std::int32_t>(end - voice.startTime) < 0) return;
    voice.startTime = end;
    voice.startFraction = static_cast<std::uint32_t>(scaled % ahead->rate);
}

bool voiceSounds(const Voice& voice) {
    if (!voice.append) return !SndDriverIsDone(voice.channel);
    return voice.bufferIndex != kNoBuffer && SndDriverIsPlaying(voice.channel) && voicePosition(voice) < voice.length;
}

std::uint32_t voicePosition(const Voice& voice) {
    switch (voice.state) {
        case SndVoiceState::queued: return 0;
        case SndVoiceState::playing:
            return std::min(framesBy(voice, ClockMilliseconds()), voice.length);
        case SndVoiceState::paused:
            return std::min(framesBy(voice, voice.pauseTime), voice.length);
        default: return voice.length;
    }
}

}  // namespace sndmgr

using namespace sndmgr;

namespace {

template <typename T, typename Read>
T readVoice(SndVoiceHandle handle, Read read) {
    Voice* v = voiceOf(handle);
    return v ? read(*v) : T{};
}

}  // namespace

std::int16_t SndVoiceStop(SndVoiceHandle voice) {
    Voice* v = voiceOf(voice);
    return v ? stopVoice(*v) : 0;
}

std::int16_t SndVoiceEnd(SndVoiceHandle voice) {
    Voice* v = voiceOf(voice);
    return v ? endVoice(*v) : 0;
}

std::int16_t SndVoiceIsActive(SndVoiceHandle voice) {
    return readVoice<std::int16_t>(voice, [](const Voice& v) { return isActive(v.state) ? 1 : 0; });
}

std::int16_t SndVoiceIsLooping(SndVoiceHandle voice) {
    return readVoice<std::int16_t>(voice, [](const Voice& v) { return isActive(v.state) ? v.loop : 0; });
}

std::int16_t SndVoiceIsPaused(SndVoiceHandle voice) {
    return readVoice<std::int16_t>(voice, [](const Voice& v) {
        return isActive(v.state) ? SndChannelIsPaused(static_cast<std::int16_t>(v.channel)) : 0;
    });
}

std::int16_t SndVoiceGetChannel(SndVoiceHandle voice) {
    Voice* v = voiceOf(voice);
    return v && v->state != SndVoiceState::free ? static_cast<std::int16_t>(v->channel) : -1;
}

std::uint32_t SndVoiceGetUserWord(SndVoiceHandle voice) {
    return readVoice<std::uint32_t>(voice, [](const Voice& v) { return v.userWord; });
}

MemHandle SndVoiceGetSample(SndVoiceHandle voice) {
    return readVoice<MemHandle>(voice, [](const Voice& v) { return v.sample; });
}

std::uintptr_t SndVoiceGetClientWord1(SndVoiceHandle voice) {
    return readVoice<std::uintptr_t>(voice, [](const Voice& v) { return v.clientWord1; });
}

std::uintptr_t SndVoiceGetClientWord2(SndVoiceHandle voice) {
    return readVoice<std::uintptr_t>(voice, [](const Voice& v) { return v.clientWord2; });
}

std::uint32_t SndVoiceGetLength(SndVoiceHandle voice) {
    return readVoice<std::uint32_t>(voice, [](const Voice& v) { return v.length; });
}

std::uint32_t SndVoiceGetPosition(SndVoiceHandle voice) {
    return readVoice<std::uint32_t>(voice, [](const Voice& v) { return voicePosition(v); });
}

std::uint32_t SndVoiceGetDurationMs(SndVoiceHandle voice) {
    return readVoice<std::uint32_t>(voice, [](const Voice& v) { return SndFramesToMs(v.length, v.rate); });
}

std::uint32_t SndVoiceGetPositionMs(SndVoiceHandle voice) {
    return readVoice<std::uint32_t>(voice, [](const Voice& v) { return SndFramesToMs(voicePosition(v), v.rate); });
}
