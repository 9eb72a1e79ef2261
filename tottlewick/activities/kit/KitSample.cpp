// Sample plays that carry their sound id, and a module's own sample play.
#include "KitSample.h"

#include "SndManager.h"
#include "SndPlayControl.h"

namespace {

constexpr std::int16_t kNoChannel = -1;
constexpr std::int16_t kStarting = -2;
constexpr std::uint16_t kFullVolume = 1024;

}  // namespace

std::int16_t KitPlaySample(MemHandle sample, std::uint16_t soundId, std::int16_t priority, bool looped) {
    const std::uint32_t word = SndSetUserWord(soundId);
    const std::int16_t channel = looped ? SndPlaySampleLooped(sample, priority, kFullVolume, 0)
                                        : SndPlaySample(sample, priority, kFullVolume, 0);
    SndSetUserWord(word);
    return channel;
}

std::int16_t KitSamplePlay::Play(MemHandle sample, std::uint16_t soundId, std::int16_t priority, bool looped) {
    Stop();
    const SndDoneScope done(onDone, this);
    channel_ = kStarting;
    const std::int16_t channel = KitPlaySample(sample, soundId, priority, looped);
    // A play that ended at once has already told onDone.
    if (channel_ == kStarting) channel_ = channel;
    return channel;
}

void KitSamplePlay::Stop() {
    if (channel_ >= 0) SndStop(channel_);
    channel_ = kNoChannel;
}

void KitSamplePlay::onDone(std::int16_t, std::uint32_t, MemHandle, std::uint32_t data) {
    reinterpret_cast<KitSamplePlay*>(static_cast<std::uintptr_t>(data))->channel_ = kNoChannel;
}
