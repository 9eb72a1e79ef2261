// Starting voices: a sample block, a locked data block or plain PCM frames queued on a channel, with the
// refusal that gives every lock back and frees an auto-free block; and the channel's service step.
#include "SndChannelPlay.h"

#include "PlatMem.h"
#include "SndChannel.h"
#include "SndDriver.h"
#include "SndManagerState.h"
#include "SndSample.h"

using namespace sndmgr;

namespace {

// A refused play with auto-free set leaks nothing: the header lock, then the data lock that
// SndChannelPlayHandle took, are given back and the sample block of the settings is freed.
SndVoiceHandle refuse() {
    SndVoiceSettings& s = manager.next;
    if (!s.autoFree) return 0;
    if (s.lockedHeader) SndSampleUnlock(s.sample);
    if (manager.currentData) MemHandleUnlock(manager.currentData);
    MemHandle sample = s.sample;
    SndFreeSample(&sample);
    manager.refusalFreed = true;
    return 0;
}

void fillVoice(Voice& v, std::uint16_t bits, std::uint16_t channels, std::uint16_t rate, std::uint32_t frames,
               const void* data) {
    const SndVoiceSettings& s = manager.next;
    v.userWord = s.userWord;
    v.sample = s.sample;
    v.lockedHeader = s.lockedHeader;
    v.bits = bits;
    v.channels = channels;
    v.rate = rate;
    v.length = frames;
    v.dataHandle = manager.currentData;
    v.data = static_cast<const std::uint8_t*>(data);
    v.loop = s.loop;
    v.append = s.append;
    v.autoFree = s.autoFree;
    v.priority = s.priority;
    v.clientWord1 = s.clientWord1;
    v.clientWord2 = s.clientWord2;
    v.endProc = s.endProc;
    v.bufferIndex = kNoBuffer;
}

void releaseFreeVoices(Channel& c) {
    for (Voice* v = c.head; v;) {
        Voice* next = v->next;
        if (v->state == SndVoiceState::free) releaseVoice(*v);
        v = next;
    }
}

// The driver joins a buffered voice's data to what plays only behind an append voice that sounds; a
// paused head or a plain voice ahead keeps the buffers empty, so nothing is heard out of turn.
void loadAppendBuffers(std::int16_t channel, Channel& c) {
    if (!c.head || !c.head->append || c.head->state == SndVoiceState::paused) return;
    for (Voice* v = c.head; v && v->append; v = v->next) {
        if (v->state != SndVoiceState::queued || v->bufferIndex != kNoBuffer) continue;
        std::uint32_t index = kNoBuffer;
        std::int16_t loaded = SndDriverPlayBuffer(static_cast<std::uint16_t>(channel), &index, v->data, v->length,
                                                  v->channels, v->bits, v->rate);
        if (loaded != kSndBufferLoaded) return;
        v->bufferIndex = index;
        scheduleAppend(*v);
    }
}

// The head voice that no longer sounds has ended its pass: it is released, or it starts again from frame 0.
// A voice that failed (a pause, resume or stop the driver refused) is released here too.
void endOrLoopHead(Channel& c) {
    Voice* head = c.head;
    if (head && head->state == SndVoiceState::playing && !voiceSounds(*head)) {
        head->state = SndVoiceState::passEnded;
        head->bufferIndex = kNoBuffer;
    }
    if (head && head->state == SndVoiceState::failed) {
        releaseVoice(*head);
        return;
    }
    if (!head || head->state != SndVoiceState::passEnded) return;
    if (head->loop && restartVoice(*head, 0)) {
        head->state = SndVoiceState::playing;
        return;
    }
    if (head->loop) head->state = SndVoiceState::failed;
    releaseVoice(*head);
}

void startHead(Channel& c) {
    Voice* head = c.head;
    if (!head || head->state != SndVoiceState::queued) return;
    head->state = SndVoiceState::playing;
    if (startVoice(*head)) return;
    head->state = SndVoiceState::failed;
    releaseVoice(*head);
}

}  // namespace

SndVoiceHandle SndChannelPlaySample(std::int16_t channel, MemHandle sample) {
    SndVoiceSettings& s = manager.next;
    const SndSampleHeader* h = manager.enabled ? SndSampleLock(sample) : nullptr;
    if (!h) {
        if (sample && s.autoFree) SndFreeSample(&sample);
        return 0;
    }
    SndSettingsScope restore;
    s.sample = sample;
    s.lockedHeader = h;
    SndVoiceHandle voice = SndChannelPlayHandle(channel, SndFormatBits(h->format), SndFormatChannels(h->format),
                                                h->rate, h->frames, h->audioData);
    if (!voice && !manager.refusalFreed) SndSampleUnlock(sample);
    return voice;
}

SndVoiceHandle SndChannelPlayHandle(std::int16_t channel, std::uint16_t bits, std::uint16_t channels,
                                    std::uint16_t rate, std::uint32_t frames, MemHandle data) {
    std::uint16_t mode = MemSetModeFlag(1);
    void* address = data ? MemHandleLock(data) : nullptr;
    MemSetModeFlag(mode);
    manager.currentData = address ? data : 0;
    manager.refusalFreed = false;
    SndVoiceHandle voice = SndChannelPlayData(channel, bits, channels, rate, frames, address);
    if (address && !manager.refusalFreed) MemHandleUnlock(data);
    manager.currentData = 0;
    return voice;
}

SndVoiceHandle SndChannelPlayData(std::int16_t channel, std::uint16_t bits, std::uint16_t channels,
                                  std::uint16_t rate, std::uint32_t frames, const void* data) {
    Channel* c = channelAt(channel);
    if (!manager.enabled || !driverRuns() || !data || !c) return refuse();
    if (c->head && !manager.next.append) {
        if (manager.next.priority < c->effectivePriority || SndChannelStop(channel)) return refuse();
    }
    Voice* v = allocateVoice();
    if (!v) return refuse();
    fillVoice(*v, bits, channels, rate, frames, data);
    enqueue(channel, *v);
    if (v->dataHandle) (void)MemHandleLock(v->dataHandle);
    v->state = SndVoiceState::queued;
    SndVoiceHandle handle = v->handle;
    SndChannelService(channel);
    return handle;
}

std::int16_t SndChannelService(std::int16_t channel) {
    Channel* c = channelAt(channel);
    if (!c || manager.serviceGuard) return 0;
    manager.serviceGuard = true;
    releaseFreeVoices(*c);
    if (driverRuns()) SndDriverServe();
    endOrLoopHead(*c);
    loadAppendBuffers(channel, *c);
    startHead(*c);
    releaseFreeVoices(*c);
    manager.serviceGuard = false;
    return c->head ? 1 : 0;
}
