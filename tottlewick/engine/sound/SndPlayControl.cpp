// Commands and queries on plays, channel reservation, and the sound service of the main loop.
#include "SndPlayControl.h"

#include "EngineClock.h"
#include "SndCallLog.h"
#include "FilePath.h"
#include "SndChannel.h"
#include "SndChannelIter.h"
#include "SndChannelPlay.h"
#include "SndPlayState.h"
#include "SndStream.h"
#include "SndVoice.h"

using namespace sndplay;

namespace {

constexpr std::uint32_t kServiceIntervalMs = 51;

const PlayRecord* activeRecord(std::int16_t channel) {
    const PlayRecord* r = recordAt(channel);
    return r && r->active ? r : nullptr;
}

const PlayRecord* streamedRecord(std::int16_t channel) {
    const PlayRecord* r = activeRecord(channel);
    return r && r->streamed ? r : nullptr;
}

// Runs command on every channel of the mask; 1 when any answered non-zero.
template <typename Command>
std::int16_t onEach(std::uint32_t mask, Command command) {
    std::int16_t any = 0;
    for (int channel = 0; channel < kSndChannels; ++channel)
        if ((mask >> channel & 1) && command(static_cast<std::int16_t>(channel))) any = 1;
    return any;
}

std::int16_t onStreams(std::int16_t (*command)(std::int16_t)) { return onEach(SndStreamedChannels(), command); }

std::int16_t driveOf(FileRef file) {
    char path[kFilePathSize];
    return file && FileGetPath(file, path) == kFileErrNone ? FileDriveNumber(path) : 0;
}

void stopAndRestore(std::int16_t channel, std::uint16_t startVolume, std::uint16_t) {
    SndStopAndSetVolume(channel, startVolume);
}

// A streamed play pauses or resumes its stream (whose filter does the same to the channel), a sample play
// its channel.
std::int16_t pauseOrResume(std::int16_t channel, std::uint32_t (*onStream)(Stream),
                           std::int16_t (*onChannel)(std::int16_t)) {
    const PlayRecord* r = recordAt(channel);
    if (!r) return 1;
    if (!r->active || r->pending) return 0;
    SndLogCall("%s ch=%d", onChannel == SndChannelPause ? "pause" : "resume", channel);
    if (!r->streamed) return onChannel(channel);
    onStream(r->stream);
    return 0;
}

// Streamed plays whose stream neither sounds nor has data left are over: their records go and their
// completion procedures are told, highest channel first.
void finishEndedStreams() {
    for (int channel = SndGetChannelCount() - 1; channel >= 0; --channel) {
        auto c = static_cast<std::int16_t>(channel);
        const PlayRecord* r = streamedRecord(c);
        if ((layer.channelMask >> channel & 1) && r && SndStreamIsDone(r->stream)) finishPlay(c, 0);
    }
}

}  // namespace

std::int16_t SndStop(std::int16_t channel) {
    const PlayRecord* r = recordAt(channel);
    if (!r) return 1;
    if (!r->active) return 0;
    SndLogCall("stop ch=%d", channel);
    if (r->streamed) {
        StreamStop(r->stream);
        SndServiceNow();
        // Inside the service (a completion procedure that stops a play) the service cannot run again: the
        // stopped play is finished here, so that a new play never overwrites a record still owed its end.
        if (r->active && r->streamed && SndStreamIsDone(r->stream)) finishPlay(channel, 0);
        return 0;
    }
    if (r->pending) {
        finishPlay(channel, 0);
        return 0;
    }
    return SndVoiceStop(r->voice);
}

std::int16_t SndStopAtEnd(std::int16_t channel) {
    const PlayRecord* r = recordAt(channel);
    if (!r) return 1;
    if (!r->streamed) return SndChannelEndCurrent(channel);
    StreamStop(r->stream);
    return 0;
}

std::int16_t SndStopAll() { return onEach(layer.channelMask, SndStop); }

std::int16_t SndStopAndSetVolume(std::int16_t channel, std::uint16_t volume) {
    std::int16_t stopped = SndStop(channel);
    SndChannelSetVolume(channel, volume);
    return stopped;
}

std::int16_t SndPause(std::int16_t channel) { return pauseOrResume(channel, StreamPause, SndChannelPause); }

std::int16_t SndResume(std::int16_t channel) { return pauseOrResume(channel, StreamResume, SndChannelResume); }

std::int16_t SndPauseAllPlays() { return onEach(layer.channelMask, SndPause); }
std::int16_t SndResumeAllPlays() { return onEach(layer.channelMask, SndResume); }
std::int16_t SndStopStreams() { return onStreams(SndStop); }
std::int16_t SndPauseStreams() { return onStreams(SndPause); }
std::int16_t SndResumeStreams() { return onStreams(SndResume); }

std::int16_t SndFadeOutPlay(std::int16_t channel, SndFadeEndProc proc) {
    if (!activeRecord(channel)) return 0;
    return SndFadeOut(channel, proc ? proc : stopAndRestore);
}

std::int16_t SndFadeOutPlayWait(std::int16_t channel, SndFadeEndProc proc, SndWaitProc wait) {
    if (SndFadeOutPlay(channel, proc)) return 1;
    return SndFadeWait(channel, wait);
}

std::int16_t SndIsPlaying(std::int16_t channel) {
    const PlayRecord* r = activeRecord(channel);
    if (!r) return 0;
    return r->streamed ? SndStreamIsSounding(r->stream) : SndChannelIsBusy(channel);
}

std::int16_t SndAnyPlaying() {
    for (int channel = 0; channel < kSndChannels; ++channel)
        if ((layer.channelMask >> channel & 1) && SndIsPlaying(static_cast<std::int16_t>(channel))) return 1;
    return 0;
}

std::int16_t SndIsLooping(std::int16_t channel) {
    const PlayRecord* r = activeRecord(channel);
    return r && r->loop ? 1 : 0;
}

std::int16_t SndIsStreamed(std::int16_t channel) { return streamedRecord(channel) ? 1 : 0; }

std::uint32_t SndStreamedChannels() {
    std::uint32_t mask = 0;
    for (int channel = 0; channel < kSndChannels; ++channel)
        if (SndIsStreamed(static_cast<std::int16_t>(channel))) mask |= 1u << channel;
    return mask;
}

std::int16_t SndIsPaused(std::int16_t channel) { return SndChannelIsPaused(channel); }

std::uint32_t SndGetPosition(std::int16_t channel) {
    const PlayRecord* r = activeRecord(channel);
    if (!r || r->pending) return 0;
    return r->streamed ? SndStreamGetPositionMs(r->stream) : SndVoiceGetPositionMs(r->voice);
}

std::uint32_t SndGetPlayVoice(std::int16_t channel) {
    const PlayRecord* r = recordAt(channel);
    return r ? r->voice : 0;
}

std::uint32_t SndGetPlaySerial(std::int16_t channel) {
    const PlayRecord* r = recordAt(channel);
    return r && r->active ? r->serial : 0;
}

std::int16_t SndIsChannelDisabled(std::int16_t channel) {
    return channel >= 0 && channel < kSndChannels && layer.disabled[channel] > 0 ? 1 : 0;
}

std::uint32_t SndGetFreeChannels() {
    std::uint32_t mask = 0;
    for (int channel = 0; channel < SndGetChannelCount(); ++channel) {
        auto c = static_cast<std::int16_t>(channel);
        if ((layer.channelMask >> channel & 1) && !activeRecord(c) && !layer.disabled[channel]) mask |= 1u << channel;
    }
    return mask;
}

std::int16_t SndIsDriveInUse(std::int16_t drive) {
    for (int channel = 0; channel < kSndChannels; ++channel) {
        const PlayRecord* r = streamedRecord(static_cast<std::int16_t>(channel));
        if (r && !SndStreamIsPaused(r->stream) && StreamGetKind(r->stream) == kStreamFile &&
            driveOf(StreamGetFile(r->stream)) == drive)
            return 1;
    }
    return 0;
}

std::int16_t SndChannelDisable(std::int16_t channel) {
    if (channel < 0 || channel >= kSndChannels) return 0;
    std::int16_t was = layer.disabled[channel] > 0 ? 1 : 0;
    ++layer.disabled[channel];
    layer.enabledMask &= ~(1u << channel);
    return was;
}

std::int16_t SndChannelEnable(std::int16_t channel) {
    if (channel < 0 || channel >= kSndChannels || layer.disabled[channel] == 0) return 0;
    if (--layer.disabled[channel] == 0) layer.enabledMask |= 1u << channel;
    return 1;
}

std::int16_t SndService() {
    std::uint32_t now = ClockMilliseconds();
    if (now - layer.lastService < kServiceIntervalMs) return 0;
    layer.lastService = now;
    return SndServiceNow();
}

std::int16_t SndServiceNow() {
    if (layer.serviceGuard) return 0;
    layer.serviceGuard = true;
    StreamServeAll();
    finishEndedStreams();
    SndFadeService(layer.channelMask);
    std::uint32_t busy = SndForEachChannel(layer.channelMask, SndChannelService);
    layer.serviceGuard = false;
    return busy ? 1 : 0;
}
