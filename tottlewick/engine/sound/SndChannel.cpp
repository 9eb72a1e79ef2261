// Channel operations: stopping, ending, pausing and resuming what a channel plays, its queries, its levels
// (applied to its driver voice) and its priority.
#include "SndChannel.h"

#include <algorithm>
#include <utility>

#include "SndCallLog.h"
#include "SndChannelPlay.h"
#include "SndDriver.h"
#include "SndManagerState.h"

using namespace sndmgr;

namespace {

bool inUse(std::int16_t channel) { return channel >= 0 && channel < manager.channelCount; }

SndVoiceState headState(const Channel& c) { return c.head ? c.head->state : SndVoiceState::free; }

bool headActive(const Channel& c) {
    SndVoiceState s = headState(c);
    return s == SndVoiceState::queued || s == SndVoiceState::playing || s == SndVoiceState::paused;
}

// Runs work on the channel's record, or answers `bad` for a channel outside 0..15.
template <typename T, typename Work>
T onChannel(std::int16_t channel, T bad, Work work) {
    Channel* c = channelAt(channel);
    return c ? work(*c) : bad;
}

}  // namespace

namespace sndmgr {

Channel* channelAt(std::int16_t channel) {
    return channel >= 0 && channel < kSndChannels ? &manager.channels[channel] : nullptr;
}

std::int16_t applyLevel(std::int16_t channel) {
    Channel* c = channelAt(channel);
    if (!c || !driverRuns() || !inUse(channel)) return 1;
    auto voice = static_cast<std::uint16_t>(channel);
    SndDriverSetVolume(voice, SndDriverVolumeOf(c->gain, c->volume));
    SndDriverSetPan(voice, SndDriverPanOf(c->pan));
    return 0;
}

}  // namespace sndmgr

std::uint32_t SndDriverVolumeOf(std::uint16_t gain, std::uint16_t volume) {
    std::uint32_t level = std::uint32_t(gain) * volume >> 10;
    return level * 127 >> 10;
}

std::uint32_t SndDriverPanOf(std::int16_t pan) {
    return pan == 0 ? 64 : static_cast<std::uint32_t>((pan + 512) * 127 / 1024);
}

std::int16_t SndChannelStop(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, 1, [](Channel& c) {
        std::int16_t failed = 0;
        while (c.head)
            if (stopVoice(*c.head)) failed = 1;
        return failed;
    });
}

std::int16_t SndChannelEndCurrent(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, 0,
                                   [](Channel& c) -> std::int16_t { return c.head ? endVoice(*c.head) : 0; });
}

std::int16_t SndChannelPause(std::int16_t channel) {
    Channel* c = channelAt(channel);
    if (!c) return 0;
    SndChannelService(channel);
    return headState(*c) == SndVoiceState::playing ? pauseVoice(*c->head) : 0;
}

std::int16_t SndChannelResume(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, 1, [](Channel& c) -> std::int16_t {
        if (!c.head) return 1;
        return c.head->state == SndVoiceState::paused ? resumeVoice(*c.head) : 0;
    });
}

std::int16_t SndChannelIsPaused(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, 0,
                                   [](Channel& c) { return headState(c) == SndVoiceState::paused ? 1 : 0; });
}

std::int16_t SndChannelIsLooping(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, 0, [](Channel& c) { return headActive(c) ? c.head->loop : 0; });
}

std::int16_t SndChannelIsBusy(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, 0, [](Channel& c) { return c.head ? 1 : 0; });
}

std::int16_t SndChannelIsSounding(std::int16_t channel) {
    return channelAt(channel) ? static_cast<std::int16_t>(manager.sounding[channel]) : 0;
}

std::int16_t SndChannelIsFree(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, 0, [](Channel& c) { return c.head ? 0 : 1; });
}

std::int16_t SndChannelIsAvailable(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, 0, [](Channel& c) {
        return !c.head || c.effectivePriority <= manager.next.priority ? 1 : 0;
    });
}

std::int16_t SndFindFreeChannel() {
    for (int channel = manager.channelCount - 1; channel >= 0; --channel)
        if (!manager.channels[channel].head) return static_cast<std::int16_t>(channel);
    return -1;
}

std::uint16_t SndGetChannelCount() { return manager.channelCount; }

std::uint16_t SndChannelGetGain(std::int16_t channel) {
    return onChannel<std::uint16_t>(channel, 0, [](Channel& c) { return c.gain; });
}

std::int16_t SndChannelSetGain(std::int16_t channel, std::uint16_t gain) {
    Channel* c = channelAt(channel);
    if (!c) return 1;
    c->gain = std::min(gain, kSndFullLevel);
    return applyLevel(channel);
}

std::uint16_t SndChannelGetVolume(std::int16_t channel) {
    return onChannel<std::uint16_t>(channel, 0, [](Channel& c) { return c.volume; });
}

std::int16_t SndChannelSetVolume(std::int16_t channel, std::uint16_t volume) {
    Channel* c = channelAt(channel);
    if (!c) return 1;
    c->volume = std::min(volume, kSndFullLevel);
    SndLogCall("volume ch=%d vol=%u", channel, volume);
    return applyLevel(channel);
}

std::int16_t SndChannelGetPan(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, 0, [](Channel& c) { return c.pan; });
}

std::int16_t SndChannelSetPan(std::int16_t channel, std::int16_t pan) {
    Channel* c = channelAt(channel);
    if (!c) return 1;
    c->pan = std::clamp(pan, kSndPanLeft, kSndPanRight);
    return applyLevel(channel);
}

std::int16_t SndChannelSetVolumePan(std::int16_t channel, std::uint16_t volume, std::int16_t pan) {
    Channel* c = channelAt(channel);
    if (!c) return 1;
    c->volume = std::min(volume, kSndFullLevel);
    c->pan = std::clamp(pan, kSndPanLeft, kSndPanRight);
    return applyLevel(channel);
}

std::int16_t SndChannelGetPriorityOffset(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, kSndNoPriority, [](Channel& c) { return c.priorityOffset; });
}

std::int16_t SndChannelSetPriorityOffset(std::int16_t channel, std::int16_t offset) {
    return onChannel<std::int16_t>(channel, 1, [offset](Channel& c) {
        c.priorityOffset = offset;
        recomputePriority(c);
        return std::int16_t{0};
    });
}

std::int16_t SndChannelGetPriority(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, kSndNoPriority, [](Channel& c) { return c.effectivePriority; });
}

std::int16_t SndChannelGetResult(std::int16_t channel) {
    return onChannel<std::int16_t>(channel, 0, [](Channel& c) { return c.lastResult; });
}

std::int16_t SndChannelSetResult(std::int16_t channel, std::int16_t result) {
    return onChannel<std::int16_t>(channel, 1, [result](Channel& c) { return std::exchange(c.lastResult, result); });
}
