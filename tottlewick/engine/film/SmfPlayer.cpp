// Opening and closing SMF players, their getters, start and stop, time and the end of a film.
#include "SmfPlayer.h"

#include <cstring>
#include <limits>
#include <utility>

#include "EngineClock.h"
#include "SmfPlayerRecord.h"
#include "SndChannel.h"
#include "SndPlay.h"
#include "SndVoice.h"

namespace {

std::uint32_t channelMask = 0xFFFF;
std::int16_t priority = 0;

MemHandle allocZeroed(std::uint32_t size) {
    MemHandle handle = MemHandleAlloc(size);
    if (!handle) return 0;
    void* p = MemHandleLock(handle);
    if (!p) {
        MemHandleFree(&handle);
        return 0;
    }
    std::memset(p, 0, size);
    MemHandleUnlock(handle);
    return handle;
}

void freeBuffers(SmfPlayerRecord& r) {
    for (MemHandle& track : r.track) MemHandleFree(&track);
    MemHandleFree(&r.frame);
    MemHandleFree(&r.audio);
}

// Buffers of the header's sizes; false when one cannot be had.
bool allocateBuffers(SmfPlayerRecord& r, const SmfHeader& h) {
    for (int t = 0; t < kSmfTracks; ++t)
        if (h.capacity[t] && !(r.track[t] = allocZeroed(h.capacity[t]))) return false;
    if (const std::uint32_t bytes = SmfFrameBytes(h); bytes && !(r.frame = allocZeroed(bytes))) return false;
    if (const std::uint32_t bytes = SmfAudioBytes(h); bytes && !(r.audio = allocZeroed(bytes))) return false;
    return true;
}

std::int16_t chooseChannel() {
    const std::uint32_t saved = SndSetChannelMask(channelMask);
    const std::int16_t channel = SndChooseChannel(priority);
    SndSetChannelMask(saved);
    return channel;
}

void fillFromHeader(SmfPlayerRecord& r, const SmfHeader& h, FileRef file, std::uint32_t dataPosition) {
    SmfFilmBuffersInit(&r.film, h, file, dataPosition);
    r.rate = h.rate;
    r.reserved = h.reserved;
    r.commands.lastTime = h.clockStart;
    r.duration = h.duration;
    r.entries = h.entries;
}

// The record with its table read; 0 when the sizes overflow, the file cannot hold the table, or memory or
// the file fails.
SmfPlayer readRecord(FileRef file, std::uint32_t offset, const SmfHeader& h) {
    constexpr std::uint32_t kMax = std::numeric_limits<std::uint32_t>::max();
    if (h.entries > (kMax - sizeof(SmfPlayerRecord)) / 4 || h.entries * 4 > kMax - kSmfHeaderBytes - offset) return 0;
    // The header was read whole, so the file reaches past it.
    const std::int32_t size = FileGetSize(file);
    if (size < 0 || h.entries * 4 > std::uint32_t(size) - offset - kSmfHeaderBytes) return 0;
    SmfPlayer player = allocZeroed(std::uint32_t(sizeof(SmfPlayerRecord)) + h.entries * 4);
    if (!player) return 0;
    SmfAccess r(player);
    if (!r || !SmfReadTable(file, h, r->table())) {
        MemHandleFree(&player);
        return 0;
    }
    fillFromHeader(*r, h, file, offset + std::uint32_t(kSmfHeaderBytes) + h.entries * 4);
    return player;
}

}  // namespace

std::uint32_t SmfSetChannelMask(std::uint32_t mask) { return std::exchange(channelMask, mask); }
std::uint32_t SmfGetChannelMask() { return channelMask; }
std::int16_t SmfSetPriority(std::int16_t value) { return std::exchange(priority, value); }
std::int16_t SmfGetPriority() { return priority; }

void smfLockBuffers(SmfPlayerRecord& r) {
    SmfFilmBuffers& f = r.film;
    for (int t = 0; t < kSmfTracks; ++t)
        if (r.track[t]) f.trackData[t] = static_cast<std::uint8_t*>(MemHandleLock(r.track[t]));
    if (r.frame) f.frameData = static_cast<std::uint8_t*>(MemHandleLock(r.frame));
    if (r.audio) f.audioData = static_cast<std::uint8_t*>(MemHandleLock(r.audio));
}

void smfUnlockBuffers(SmfPlayerRecord& r) {
    SmfFilmBuffers& f = r.film;
    for (int t = 0; t < kSmfTracks; ++t)
        if (f.trackData[t]) MemHandleUnlock(r.track[t]), f.trackData[t] = nullptr;
    if (f.frameData) MemHandleUnlock(r.frame), f.frameData = nullptr;
    if (f.audioData) MemHandleUnlock(r.audio), f.audioData = nullptr;
}

bool smfChannelValid(const SmfPlayerRecord& r) { return r.channel >= 0 && r.channel < kSndChannels; }

Rect smfMovedRect(const SmfPlayerRecord& r) {
    const Rect& f = r.commands.frameRect;
    const Point& p = r.position;
    return {std::int16_t(f.left + p.h), std::int16_t(f.top + p.v), std::int16_t(f.right + p.h),
            std::int16_t(f.bottom + p.v)};
}

std::uint32_t smfElapsed(const SmfPlayerRecord& r) {
    return (r.flags & (kSmfRunning | kSmfHeld)) == kSmfRunning ? ClockMilliseconds() - r.clock : r.clock;
}

void smfTurnClock(SmfPlayerRecord& r) { r.clock = ClockMilliseconds() - r.clock; }

bool smfFinished(const SmfPlayerRecord& r, std::uint32_t elapsed) {
    const bool sounding = smfChannelValid(r) && r.newer && SndVoiceIsActive(r.newer);
    return elapsed >= r.duration && r.commands.next >= r.entries && !sounding;
}

void smfStop(SmfPlayerRecord& r) {
    if (!(r.flags & kSmfRunning)) return;
    if (!(r.flags & kSmfHeld)) smfTurnClock(r);
    r.flags &= ~(kSmfRunning | kSmfHeld);
    if (smfChannelValid(r)) SndChannelStop(r.channel);
    r.older = r.newer = 0;
    smfUnlockBuffers(r);
}

SmfPlayer SmfOpen(FileRef file, std::uint32_t offset) {
    SmfHeader h;
    if (!SmfReadHeader(file, offset, &h)) return 0;
    SmfPlayer player = readRecord(file, offset, h);
    if (!player) return 0;
    bool ready = false;
    if (SmfAccess r(player); r) {
        ready = allocateBuffers(*r, h);
        if (ready) r->channel = chooseChannel();
        else freeBuffers(*r);
    }
    if (!ready) MemHandleFree(&player);
    return player;
}

void SmfClose(SmfPlayer* player) {
    if (!player || !*player) return;
    if (SmfAccess r(*player); r) {
        smfStop(*r);
        freeBuffers(*r);
    }
    MemHandleFree(player);
}

std::uint16_t SmfGetWidth(SmfPlayer player) { SmfAccess r(player); return r ? r->film.width : 0; }
std::uint16_t SmfGetHeight(SmfPlayer player) { SmfAccess r(player); return r ? r->film.height : 0; }
std::uint16_t SmfGetDepth(SmfPlayer player) { SmfAccess r(player); return r ? r->film.depth : 0; }
std::uint16_t SmfGetSampleSize(SmfPlayer player) { SmfAccess r(player); return r ? r->film.sampleSize : 0; }
std::uint16_t SmfGetChannels(SmfPlayer player) { SmfAccess r(player); return r ? r->film.channels : 0; }
std::uint16_t SmfGetRate(SmfPlayer player) { SmfAccess r(player); return r ? r->rate : 0; }
std::uint32_t SmfGetDuration(SmfPlayer player) { SmfAccess r(player); return r ? r->duration : 0; }
std::int16_t SmfGetChannel(SmfPlayer player) { SmfAccess r(player); return r ? r->channel : -1; }
std::int16_t SmfIsRunning(SmfPlayer player) { SmfAccess r(player); return r && (r->flags & kSmfRunning) ? 1 : 0; }
std::uint32_t SmfGetTime(SmfPlayer player) { SmfAccess r(player); return r ? smfElapsed(*r) : 0; }

void SmfSetChannel(SmfPlayer player, std::int16_t channel) {
    SmfAccess r(player);
    if (!r || r->channel == channel) return;
    // A running film's plays would stay on the old channel, where no stop or close would reach them
    // before its buffer goes: the old channel is stopped as a stop would, and later blocks go to the new.
    if ((r->flags & kSmfRunning) && smfChannelValid(*r)) SndChannelStop(r->channel);
    r->older = r->newer = 0;
    r->channel = channel;
}

void SmfGetPosition(SmfPlayer player, Point* point) {
    SmfAccess r(player);
    *point = r ? r->position : Point{0, 0};
}

void SmfSetPosition(SmfPlayer player, Point point) {
    if (SmfAccess r(player); r) r->position = point;
}

void SmfGetRect(SmfPlayer player, Rect* rect) {
    SmfAccess r(player);
    *rect = r ? smfMovedRect(*r) : Rect{0, 0, 0, 0};
}

void SmfStart(SmfPlayer player) {
    SmfAccess r(player);
    if (!r || (r->flags & kSmfRunning)) return;
    r->flags |= kSmfStarted | kSmfRunning;
    smfTurnClock(*r);
    smfLockBuffers(*r);
    if (smfChannelValid(*r)) SndChannelStop(r->channel);
    r->older = r->newer = 0;
    if (r->film.currentBlock) smfQueueBlock(*r);
}

void SmfStop(SmfPlayer player) {
    if (SmfAccess r(player); r) smfStop(*r);
}

std::int16_t SmfIsDone(SmfPlayer player) {
    SmfAccess r(player);
    return !r || smfFinished(*r, smfElapsed(*r)) ? 1 : 0;
}
