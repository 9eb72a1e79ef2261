// A sound play with its end state, told by the play layer's completion callback.
#include "SoundClip.h"

#include <cstdint>

#include "KitSample.h"
#include "SndChannel.h"
#include "SndPlay.h"
#include "SndPlayControl.h"
#include "SndSample.h"
#include "SndSeq.h"

namespace {

constexpr std::uint16_t kNoChannel = 0xFFFF;
constexpr std::int16_t kClipPriority = -32767;
constexpr std::uint16_t kFullVolume = 1024;

}  // namespace

SoundClip::SoundClip() {
    SetVolume(kFullVolume);
}

SoundClip::~SoundClip() {
    Stop();
    SndFreeSample(&sample_);
}

std::int16_t SoundClip::startPlay(std::uint32_t id, std::uint16_t streamed, std::uint16_t looped) {
    const auto soundId = static_cast<std::uint16_t>(id);
    const SndDoneScope scope(onDone, this);
    if (streamed) {
        return looped ? SndPlayIdStreamedLooped(soundId, kClipPriority, volume_, 0)
                      : SndPlayIdStreamed(soundId, kClipPriority, volume_, 0);
    }
    return looped ? SndPlayIdLooped(soundId, kClipPriority, volume_, 0)
                  : SndPlayId(soundId, kClipPriority, volume_, 0);
}

void SoundClip::Play(std::uint32_t id, std::uint16_t streamed, std::uint16_t wait, std::uint16_t looped) {
    if (id == soundId_ && IsPlaying()) return;
    Stop();
    const std::int16_t channel = startPlay(id, streamed, looped);
    if (channel < 0) return;
    channel_ = static_cast<std::uint16_t>(channel);
    state_ = ClipState::playing;
    sequence_ = 0;
    soundId_ = id;
    // The sound layer is served meanwhile, or the play would never move on to its end.
    while (wait && IsPlaying()) {
        TakeEndState();
        SndServiceNow();
    }
}

void SoundClip::Stop() {
    if (channel_ == kNoChannel) return;
    const auto channel = static_cast<std::int16_t>(channel_);
    if (sequence_) {
        SndSeqStop();
        sequence_ = 0;
    } else if (SndIsPlaying(channel)) {
        state_ = ClipState::stopped;
        SndStop(channel);
    }
    channel_ = kNoChannel;
}

void SoundClip::Prepare(std::uint32_t id) {
    soundId_ = id;
    const std::uint16_t mode = SndSetStreamMode(1);
    const SndDoneScope scope(onDone, this);
    const std::int16_t channel = SndPrepare(static_cast<std::uint16_t>(id), kClipPriority, kFullVolume, 0);
    channel_ = channel < 0 ? kNoChannel : static_cast<std::uint16_t>(channel);
    SndSetStreamMode(mode);
}

void SoundClip::StartPrepared() {
    if (SndStartPrepared(static_cast<std::int16_t>(channel_))) state_ = ClipState::playing;
}

bool SoundClip::IsPlaying() {
    if (channel_ == kNoChannel) return false;
    const bool on = sequence_ ? SndSeqService() != 0 : SndIsPlaying(static_cast<std::int16_t>(channel_)) != 0;
    if (!on) Stop();
    return channel_ != kNoChannel;
}

ClipState SoundClip::TakeEndState() {
    const ClipState state = state_;
    if (state == ClipState::stopped || state == ClipState::ended) state_ = ClipState::reported;
    return state;
}

void SoundClip::SetVolume(std::uint16_t volume) {
    volume_ = volume;
    if (channel_ != kNoChannel) SndChannelSetVolume(static_cast<std::int16_t>(channel_), volume);
}

MemHandle SoundClip::GetSample() {
    if (!sample_) sample_ = SndLoadSample(static_cast<std::uint16_t>(soundId_));
    return sample_;
}

void SoundClip::SetSample(std::uint32_t id) {
    if (soundId_ && soundId_ != id) {
        soundId_ = 0;
        SndFreeSample(&sample_);
    }
    Stop();
    if (soundId_) return;
    soundId_ = id;
    sample_ = SndLoadSample(static_cast<std::uint16_t>(id));
}

void SoundClip::onDone(std::int16_t, std::uint32_t, MemHandle, std::uint32_t data) {
    auto* clip = reinterpret_cast<SoundClip*>(static_cast<std::uintptr_t>(data));
    if (clip->state_ == ClipState::playing) clip->state_ = ClipState::ended;
    clip->channel_ = kNoChannel;
}
