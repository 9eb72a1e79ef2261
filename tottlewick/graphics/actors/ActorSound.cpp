// Actor sounds: one channel per actor, played with the module's completion procedure, which finds its
// actor by id, so an entry moved by later additions or removals still gets its channel cleared.
#include "ActorTable.h"
#include "SndPlay.h"
#include "SndPlayControl.h"

namespace {

void soundDone(std::int16_t channel, std::uint32_t, MemHandle, std::uint32_t id) {
    Actor* e = actorById(id);
    if (e && e->channel == static_cast<std::uint16_t>(channel)) e->channel = kActorNoChannel;
}

}  // namespace

void ActorPlaySound(Actor* entry, std::uint32_t sound) {
    if (!sound) return;
    ActorStopSound(entry);
    const SndCompletionProc proc = SndSetDoneProc(soundDone);
    const std::uint32_t data = SndSetDoneData(entry->desc.id);
    const std::int16_t channel = SndPlayId(static_cast<std::uint16_t>(sound), 0, 1024, 0);
    SndSetDoneData(data);
    SndSetDoneProc(proc);
    entry->channel = channel < 0 ? kActorNoChannel : static_cast<std::uint16_t>(channel);
}

void ActorStopSound(Actor* entry) {
    if (entry->channel == kActorNoChannel) return;
    const auto channel = static_cast<std::int16_t>(entry->channel);
    entry->channel = kActorNoChannel;
    SndStop(channel);
}

std::int16_t ActorStopSoundById(std::uint32_t id) {
    Actor* e = actorById(id);
    if (e) ActorStopSound(e);
    return e ? 1 : 0;
}

std::int16_t ActorIsSoundDone(std::uint32_t id) {
    const Actor* e = actorById(id);
    if (!e || e->channel == kActorNoChannel) return 1;
    return SndIsPlaying(static_cast<std::int16_t>(e->channel)) ? 0 : 1;
}
