// Request slots per channel: a pending request (what to play) and an armed play (ready to start). A
// request disables its channel for automatic choice; the disable goes with the armed play and is given
// back when the play starts, is released or the request is dropped.
#include "SndRequest.h"

#include <utility>

#include "SndChannel.h"
#include "SndChannelIter.h"
#include "SndManager.h"
#include "SndPlay.h"
#include "SndPlayControl.h"
#include "SndSample.h"

namespace {

struct Play {
    std::uint32_t id = 0;
    MemHandle sample = 0;
    std::uint16_t flags = 0;
    std::int16_t priority = kSndNoPriority;
    SndCompletionProc proc = nullptr;
    std::uint32_t data = 0;
};

struct Armed : Play {
    std::uint16_t ownsSample = 0;  // loaded for the request, freed with it
    bool prepared = false;         // a stream readied with SndPrepare
};

struct Scheduler {
    bool started = false;
    Play pending[kSndChannels];
    Armed armed[kSndChannels];
    std::uint32_t pendingMask = 0;
    std::uint32_t armedMask = 0;
};

Scheduler scheduler;

bool validChannel(std::int16_t channel) { return channel >= 0 && channel < kSndChannels; }
bool isPending(std::int16_t channel) { return scheduler.pendingMask & SndChannelBit(channel); }
bool isArmed(std::int16_t channel) { return scheduler.armedMask & SndChannelBit(channel); }

bool takes(std::int16_t channel, std::int16_t priority) {
    if (!isPending(channel)) return !SndIsChannelDisabled(channel);
    return priority >= scheduler.pending[channel].priority;
}

std::int16_t request(std::int16_t channel, const Play& play) {
    if (!scheduler.started || !validChannel(channel) || !takes(channel, play.priority)) return 0;
    SndRequestCancel(channel);
    scheduler.pending[channel] = play;
    scheduler.pendingMask |= SndChannelBit(channel);
    SndChannelDisable(channel);
    return 1;
}

Play playOf(std::uint32_t id, MemHandle sample, std::uint16_t flags, std::int16_t priority) {
    Play play;
    play.id = id;
    play.sample = sample;
    play.flags = flags;
    play.priority = priority;
    play.proc = SndGetDoneProc();
    play.data = SndGetDoneData();
    return play;
}

std::uint32_t channelsWhere(std::uint32_t mask, bool (*test)(std::int16_t, std::int16_t), std::int16_t priority) {
    std::uint32_t chosen = 0;
    for (int channel = 0; channel < kSndChannels; ++channel)
        if ((mask >> channel & 1) && test(static_cast<std::int16_t>(channel), priority)) chosen |= 1u << channel;
    return chosen;
}

bool unclaimed(std::int16_t channel, std::int16_t) { return !isPending(channel) && !SndIsChannelDisabled(channel); }

// Free channels of the play layer first, then channels available at the priority; in each, those with
// nothing claimed before those whose request the priority would replace. The highest channel wins.
std::int16_t chooseChannel(std::int16_t priority) {
    std::uint32_t inUse = SndGetChannelMask() & ((1u << SndGetChannelCount()) - 1);
    for (std::uint32_t candidates : {SndGetFreeChannels(), SndMaskAvailable(inUse, priority)}) {
        for (auto test : {unclaimed, takes}) {
            std::int16_t channel = SndHighestChannel(channelsWhere(candidates, test, priority));
            if (channel >= 0) return channel;
        }
    }
    return -1;
}

std::int16_t requestAuto(const Play& play) {
    std::int16_t channel = scheduler.started ? chooseChannel(play.priority) : -1;
    return channel >= 0 && request(channel, play) ? channel : -1;
}

void releaseArmed(std::int16_t channel) {
    Armed a = std::exchange(scheduler.armed[channel], Armed{});
    scheduler.armedMask &= ~SndChannelBit(channel);
    if (a.prepared) {
        SndStop(channel);
        return;
    }
    if (a.ownsSample) SndFreeSample(&a.sample);
    SndChannelEnable(channel);
}

// The play layer's settings for one play of a request: on its channel alone, in its stream mode, with its
// completion procedure and loop; all put back afterwards.
class RequestSettings {
public:
    RequestSettings(std::int16_t channel, const Play& play, std::uint16_t streamMode)
        : mask_(SndSetChannelMask(SndChannelBit(channel))),
          mode_(SndSetStreamMode(streamMode)),
          proc_(SndSetDoneProc(play.proc)),
          data_(SndSetDoneData(play.data)) {
        SndSetLoop(play.flags & kSndRequestLoop ? 1 : 0);
    }
    ~RequestSettings() {
        SndSetChannelMask(mask_);
        SndSetStreamMode(mode_);
        SndSetDoneProc(proc_);
        SndSetDoneData(data_);
    }
    RequestSettings(const RequestSettings&) = delete;
    RequestSettings& operator=(const RequestSettings&) = delete;

private:
    SndSettingsScope voice_;
    std::uint32_t mask_;
    std::uint16_t mode_;
    SndCompletionProc proc_;
    std::uint32_t data_;
};

// A streamed id is prepared on this channel alone.
bool prepareStream(std::int16_t channel, const Play& play) {
    SndChannelEnable(channel);
    RequestSettings settings(channel, play, 1);
    return SndPrepare(static_cast<std::uint16_t>(play.id), play.priority, kSndFullLevel, 0) == channel;
}

void arm(std::int16_t channel) {
    Play play = std::exchange(scheduler.pending[channel], Play{});
    scheduler.pendingMask &= ~SndChannelBit(channel);
    if (isArmed(channel) && scheduler.armed[channel].priority > play.priority) {
        SndChannelEnable(channel);
        return;
    }
    if (isArmed(channel)) releaseArmed(channel);
    Armed armed;
    static_cast<Play&>(armed) = play;
    if (!play.sample) {
        auto id = static_cast<std::uint16_t>(play.id);
        if (SndIsInMemory(id)) armed.flags &= ~kSndRequestStreamed;
        if (armed.flags & kSndRequestStreamed) {
            if (!prepareStream(channel, play)) return;
            armed.prepared = true;
        } else if ((armed.sample = SndLoadSample(id)) != 0) {
            armed.ownsSample = 1;
        } else {
            SndChannelEnable(channel);
            return;
        }
    }
    scheduler.armed[channel] = armed;
    scheduler.armedMask |= SndChannelBit(channel);
}

// The play starts on its own channel with the armed settings.
void start(std::int16_t channel) {
    Armed a = std::exchange(scheduler.armed[channel], Armed{});
    scheduler.armedMask &= ~SndChannelBit(channel);
    RequestSettings settings(channel, a, a.flags & kSndRequestStreamed ? 1 : 0);
    SndSetAutoFree(a.ownsSample);
    if (a.prepared) {
        SndStartPrepared(channel);
        return;
    }
    SndChannelEnable(channel);
    SndSetUserWord(a.id);
    SndPlaySample(a.sample, a.priority, kSndFullLevel, 0);
}

template <typename Work>
void forEachIn(std::uint32_t mask, Work work) {
    for (int channel = kSndChannels - 1; channel >= 0; --channel)
        if (mask >> channel & 1) work(static_cast<std::int16_t>(channel));
}

}  // namespace

void SndRequestInit() {
    scheduler = Scheduler{};
    scheduler.started = true;
}

void SndRequestTerm() {
    SndRequestReleaseAll();
    SndRequestCancelAll();
    scheduler.pendingMask = scheduler.armedMask = 0;
    scheduler.started = false;
}

std::int16_t SndRequestSample(std::int16_t channel, MemHandle sample, std::uint16_t flags, std::int16_t priority) {
    return sample ? request(channel, playOf(0, sample, flags, priority)) : 0;
}

std::int16_t SndRequestId(std::int16_t channel, std::uint16_t id, std::uint16_t flags, std::int16_t priority) {
    return request(channel, playOf(id, 0, flags, priority));
}

std::int16_t SndRequestAuto(MemHandle sample, std::uint16_t flags, std::int16_t priority) {
    return sample ? requestAuto(playOf(0, sample, flags, priority)) : -1;
}

std::int16_t SndRequestIdAuto(std::uint16_t id, std::uint16_t flags, std::int16_t priority) {
    return requestAuto(playOf(id, 0, flags, priority));
}

void SndRequestCancel(std::int16_t channel) {
    if (!validChannel(channel) || !isPending(channel)) return;
    scheduler.pending[channel] = Play{};
    scheduler.pendingMask &= ~SndChannelBit(channel);
    SndChannelEnable(channel);
}

void SndRequestCancelAll() { forEachIn(scheduler.pendingMask, SndRequestCancel); }

void SndRequestArmAll() {
    if (SndIsEnabled()) forEachIn(scheduler.pendingMask, arm);
}

void SndRequestStartAll() { forEachIn(scheduler.armedMask, start); }

void SndRequestReleaseAll() { forEachIn(scheduler.armedMask, releaseArmed); }

std::uint32_t SndRequestPendingChannels() { return scheduler.pendingMask; }

std::uint32_t SndRequestArmedChannels() { return scheduler.armedMask; }
