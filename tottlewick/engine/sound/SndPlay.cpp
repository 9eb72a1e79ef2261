// Plays: choosing the channel, starting a sample through a voice or a sound through a stream, the play
// record that remembers it, and the voice-end handler that clears the record and tells the completion
// procedure.
#include "SndPlay.h"

#include <utility>

#include "File.h"
#include "SndCache.h"
#include "SndCallLog.h"
#include "SndChannel.h"
#include "SndChannelPlay.h"
#include "SndPlayControl.h"
#include "SndPlayState.h"
#include "SndSample.h"
#include "SndStream.h"
#include "SndVoice.h"

namespace sndplay {

PlayLayer layer;

PlayRecord* recordAt(std::int16_t channel) {
    return channel >= 0 && channel < kSndChannels ? &layer.records[channel] : nullptr;
}

void clearRecord(std::int16_t channel) {
    PlayRecord r = std::exchange(layer.records[channel], PlayRecord{});
    if (r.pending) {
        SndChannelEnable(channel);
        SndFreeSample(&r.sample);
    }
    if (r.stream) StreamClose(&r.stream);
}

void finishPlay(std::int16_t channel, MemHandle sample) {
    PlayRecord r = layer.records[channel];
    clearRecord(channel);
    if (r.completion) r.completion(channel, r.soundId, sample, r.completionData);
}

}  // namespace sndplay

using namespace sndplay;

namespace {

enum class StreamFrom { resource, memory, file };

struct Source {
    MemHandle sample = 0;
    StreamFrom from = StreamFrom::resource;
    const char* fileName = nullptr;
};

// Keeps the stream mode and the streamed-sound option word for one play.
class StreamModeScope {
public:
    StreamModeScope() : mode_(layer.streamMode), option_(SndGetStreamOption()) {}
    ~StreamModeScope() {
        layer.streamMode = mode_;
        SndSetStreamOption(option_);
    }
    StreamModeScope(const StreamModeScope&) = delete;
    StreamModeScope& operator=(const StreamModeScope&) = delete;

private:
    std::uint16_t mode_;
    std::uint16_t option_;
};

// The preload cache asks the play layer whether a drive is in use; the question is installed with the
// first stream, before which no drive can be.
void installHooks() {
    if (layer.hooksInstalled) return;
    SndCacheSetDriveQuery(SndIsDriveInUse);
    layer.hooksInstalled = true;
}

void voiceEnded(SndVoiceHandle voice, SndVoiceState) {
    auto completion = reinterpret_cast<SndCompletionProc>(SndVoiceGetClientWord1(voice));
    auto data = static_cast<std::uint32_t>(SndVoiceGetClientWord2(voice));
    std::int16_t channel = SndVoiceGetChannel(voice);
    std::uint32_t id = SndVoiceGetUserWord(voice);
    MemHandle sample = SndVoiceGetSample(voice);
    PlayRecord* r = recordAt(channel);
    if (r && r->active && r->voice == voice) clearRecord(channel);
    if (completion) completion(channel, id, sample, data);
}

bool openStream(Stream* stream, std::int16_t channel, const Source& source) {
    installHooks();
    auto id = static_cast<std::uint16_t>(SndGetUserWord());
    switch (source.from) {
        case StreamFrom::memory: return SndStreamOpenMemory(stream, channel, kSndChunkMs, id) != 0;
        case StreamFrom::file: return SndStreamOpenFile(stream, channel, kSndChunkMs, source.fileName) != 0;
        default: return SndStreamOpenResource(stream, channel, kSndChunkMs, id) != 0;
    }
}

void useCompletion(SndCompletionProc completion, std::uint32_t data) {
    SndSetEndProc(voiceEnded);
    SndSetClientWord1(reinterpret_cast<std::uintptr_t>(completion));
    SndSetClientWord2(data);
}

// Chooses the channel, ends what played there and starts the play (or, prepared, only readies it and
// disables the channel). The record is filled once the play runs; a voice that ended at once has already
// told its completion procedure and leaves no record.
std::int16_t playOn(const Source& source, std::int16_t priority, std::uint16_t volume, std::int16_t pan, bool start) {
    SndSettingsScope restore;
    MemHandle sample = source.sample;
    SndSetPriority(priority);
    std::int16_t channel = SndChooseChannel(priority);
    if (channel < 0) {
        if (sample && SndGetAutoFree()) SndFreeSample(&sample);
        return -1;
    }
    SndStop(channel);
    SndChannelSetVolumePan(channel, volume, pan);
    PlayRecord made;
    made.active = 1;
    made.pending = start ? 0 : 1;
    made.loop = SndGetLoop();
    made.streamed = layer.streamMode;
    made.priority = priority;
    made.soundId = SndGetUserWord();
    made.completion = layer.doneProc;
    made.completionData = layer.doneData;
    made.serial = ++layer.plays;
    if (layer.streamMode) {
        SndSetAppend(0);
        SndSetAutoFree(0);
        if (!openStream(&made.stream, channel, source)) return -1;
        if (start && StreamStart(made.stream)) StreamServe(made.stream);
    } else if (!start) {
        if (!sample) return -1;
        made.sample = sample;
    } else {
        useCompletion(layer.doneProc, layer.doneData);
        made.voice = SndChannelPlaySample(channel, sample);
        if (!made.voice) return -1;
        if (!SndVoiceIsActive(made.voice)) return channel;
    }
    layer.records[channel] = made;
    if (!start) SndChannelDisable(channel);
    return channel;
}

std::int16_t play(const Source& source, std::int16_t priority, std::uint16_t volume, std::int16_t pan, bool start) {
    const std::int16_t channel = playOn(source, priority, volume, pan, start);
    if (channel >= 0) {
        const unsigned flags = (SndGetLoop() ? 1u : 0u) | (layer.streamMode ? 2u : 0u) | (start ? 0u : 4u);
        SndLogCall("start id=%u ch=%d pri=%d vol=%u flags=%u", static_cast<unsigned>(SndGetUserWord()), channel,
                   priority, volume, flags);
    }
    return channel;
}

std::int16_t playId(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan, bool start) {
    SndSettingsScope restore;
    StreamModeScope mode;
    if (SndIsInMemory(id)) layer.streamMode = 0;
    SndSetUserWord(id);
    SndSetAutoFree(1);
    Source source;
    source.sample = layer.streamMode ? 0 : SndLoadSample(id);
    return play(source, priority, volume, pan, start);
}

template <typename Play>
std::int16_t withLoop(Play play) {
    SndSettingsScope restore;
    SndSetLoop(1);
    return play();
}

template <typename Play>
std::int16_t streamed(Play play) {
    StreamModeScope mode;
    layer.streamMode = 1;
    return play();
}

}  // namespace

std::uint32_t SndGetChannelMask() { return layer.channelMask; }
std::uint32_t SndSetChannelMask(std::uint32_t mask) { return std::exchange(layer.channelMask, mask); }
std::uint16_t SndGetStreamMode() { return layer.streamMode; }
std::uint16_t SndSetStreamMode(std::uint16_t on) { return std::exchange(layer.streamMode, on); }
SndCompletionProc SndGetDoneProc() { return layer.doneProc; }
SndCompletionProc SndSetDoneProc(SndCompletionProc proc) { return std::exchange(layer.doneProc, proc); }
std::uint32_t SndGetDoneData() { return layer.doneData; }
std::uint32_t SndSetDoneData(std::uint32_t data) { return std::exchange(layer.doneData, data); }

std::int16_t SndChooseChannel(std::int16_t priority) {
    std::uint32_t candidates = layer.channelMask & layer.enabledMask;
    int count = SndGetChannelCount();
    for (int channel = count - 1; channel >= 0; --channel)
        if ((candidates >> channel & 1) && SndChannelIsFree(static_cast<std::int16_t>(channel)))
            return static_cast<std::int16_t>(channel);
    std::int16_t chosen = -1;
    for (int channel = count - 1; channel >= 0; --channel) {
        std::int16_t effective = SndChannelGetPriority(static_cast<std::int16_t>(channel));
        if (!(candidates >> channel & 1) || effective > priority) continue;
        if (chosen < 0 || effective < SndChannelGetPriority(chosen)) chosen = static_cast<std::int16_t>(channel);
    }
    return chosen;
}

std::int16_t SndPlaySample(MemHandle sample, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    Source source;
    source.sample = sample;
    return play(source, priority, volume, pan, true);
}

std::int16_t SndPlaySampleLooped(MemHandle sample, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    return withLoop([&] { return SndPlaySample(sample, priority, volume, pan); });
}

std::int16_t SndPlaySampleAppend(MemHandle sample, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    SndSettingsScope restore;
    SndSetAppend(1);
    return SndPlaySample(sample, priority, volume, pan);
}

std::int16_t SndPlayId(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    return playId(id, priority, volume, pan, true);
}

std::int16_t SndPlayIdLooped(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    return withLoop([&] { return SndPlayId(id, priority, volume, pan); });
}

std::int16_t SndPlayIdAppend(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    SndSettingsScope restore;
    SndSetAppend(1);
    return SndPlayId(id, priority, volume, pan);
}

std::int16_t SndPlayIdStreamed(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    return streamed([&] { return SndPlayId(id, priority, volume, pan); });
}

std::int16_t SndPlayIdStreamedLooped(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    return streamed([&] { return SndPlayIdLooped(id, priority, volume, pan); });
}

std::int16_t SndPlayIdStreamedOpt(std::uint16_t id, std::uint16_t option, std::int16_t priority, std::uint16_t volume,
                                  std::int16_t pan) {
    return streamed([&] {
        SndSetStreamOption(option);
        return SndPlayIdLooped(id, priority, volume, pan);
    });
}

std::int16_t SndPlayStream(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    return streamed([&] {
        SndSettingsScope restore;
        SndSetStreamOption(1);
        SndSetUserWord(id);
        Source source;
        source.from = StreamFrom::memory;
        return play(source, priority, volume, pan, true);
    });
}

std::int16_t SndPlayStreamLooped(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    return withLoop([&] { return SndPlayStream(id, priority, volume, pan); });
}

std::int16_t SndPlayFile(const char* name, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    SndSettingsScope restore;
    SndSetAutoFree(1);
    Source source;
    if (layer.streamMode) {
        source.from = StreamFrom::file;
        source.fileName = name;
        return play(source, priority, volume, pan, true);
    }
    FileRef file = FileOpen(name, kFileRead);
    std::int32_t size = file ? FileGetSize(file) - FileTell(file) : 0;
    source.sample = file ? SndLoadSampleFromFile(file, static_cast<std::uint32_t>(size > 0 ? size : 0)) : 0;
    std::int16_t channel = play(source, priority, volume, pan, true);
    if (file) FileClose(file);
    return channel;
}

std::int16_t SndPrepare(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    return playId(id, priority, volume, pan, false);
}

std::int16_t SndStartPrepared(std::int16_t channel) {
    PlayRecord* r = recordAt(channel);
    if (!r || !r->active || !r->pending) return 0;
    r->pending = 0;
    SndChannelEnable(channel);
    if (r->streamed) {
        if (StreamStart(r->stream) && StreamServe(r->stream)) return 1;
        clearRecord(channel);
        return 0;
    }
    SndSettingsScope restore;
    SndSetPriority(r->priority);
    SndSetLoop(r->loop);
    SndSetUserWord(r->soundId);
    SndSetAutoFree(1);
    useCompletion(r->completion, r->completionData);
    SndVoiceHandle voice = SndChannelPlaySample(channel, std::exchange(r->sample, 0));
    if (voice && SndVoiceIsActive(voice)) {
        r->voice = voice;
        return 1;
    }
    clearRecord(channel);
    return voice ? 1 : 0;
}

std::int16_t SndPlaySampleSync(MemHandle sample, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    std::int16_t channel = SndPlaySample(sample, priority, volume, pan);
    if (channel < 0 || channel >= kSndChannels) return 1;
    if (layer.records[channel].streamed) {
        while (SndIsStreamed(channel)) SndServiceNow();
        return 0;
    }
    SndVoiceHandle voice = layer.records[channel].voice;
    while (SndVoiceIsActive(voice)) SndServiceNow();
    return 0;
}

std::int16_t SndPlayIdSync(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan) {
    SndSettingsScope restore;
    SndSetAutoFree(1);
    SndSetUserWord(id);
    return SndPlaySampleSync(SndLoadSample(id), priority, volume, pan);
}
