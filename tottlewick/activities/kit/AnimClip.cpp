// The kit's animation clip over the animation player, with its sound on a SoundClip.
#include "AnimClip.h"

#include <algorithm>

#include "AnimRes.h"

AnimClip::AnimClip(std::uint32_t id) {
    anim_.resId = id;
}

AnimClip::~AnimClip() {
    CloseAnimOnly();
}

void AnimClip::Play(std::uint16_t synchronised) {
    const std::uint32_t id = anim_.resId;
    if (synchronised) sound_.Prepare(id);
    const bool opened = AnimOpenTimed(&anim_, 0) != 0;
    if (synchronised) sound_.StartPrepared();
    else sound_.Play(id, 0, 0, mode_ == loop ? 1 : 0);
    if (opened || sound_.IsPlaying()) state_ = ClipState::playing;
}

void AnimClip::Load(std::uint32_t id, std::uint16_t synchronised) {
    if (!id) return;
    Close();
    anim_.resId = id;
    Play(synchronised);
}

void AnimClip::LoadHeld(std::uint32_t id) {
    if (!id) return;
    Close();
    anim_.resId = id;
    OpenHeld();
}

void AnimClip::OpenHeld() {
    if (!anim_.resId || !AnimOpenTimed(&anim_, 1)) return;
    state_ = ClipState::stopped;
    sound_.Stop();
    sound_.SetSample(anim_.resId);
}

void AnimClip::StartAt(std::int16_t x, std::int16_t y) {
    if (AnimStartAt(&anim_, x, y)) state_ = ClipState::playing;
}

void AnimClip::SetPaused(std::int16_t paused) {
    AnimSetPaused(&anim_, paused);
    if (paused) sound_.Stop();
}

void AnimClip::Draw(const Rect* clip) const {
    if (Loaded()) AnimDraw(&anim_, clip);
}

std::int16_t AnimClip::step() {
    switch (mode_) {
    case loop:
        return AnimStepLoop(&anim_);
    case onceAndClose:
        return AnimStepOnceAndClose(&anim_);
    default:
        return AnimStepOnce(&anim_);
    }
}

// In a sequence an animation ends only once its sound has ended too; a sound-only entry follows its sound.
void AnimClip::stepSequence() {
    if (!Loaded()) {
        state_ = sound_.TakeEndState();
        return;
    }
    AnimInvalidate(&anim_);
    const std::int16_t stepped = step();
    AnimInvalidate(&anim_);
    const ClipState sound = sound_.TakeEndState();
    if (AnimIsFinished(&anim_)) {
        if (sound != ClipState::playing) state_ = ClipState::ended;
    } else if (!stepped) {
        state_ = ClipState::stopped;
        sound_.Stop();
    }
}

ClipState AnimClip::Tick() {
    if (sequenceOn_) {
        if (state_ != ClipState::reported) stepSequence();
        if (state_ == ClipState::ended) {
            ++index_;
            if (index_ < kSequenceLength && sequence_[index_]) {
                Load(sequence_[index_], 1);
                return ClipState::playing;
            }
            sequenceOn_ = 0;
        }
    } else if (Loaded() && state_ != ClipState::reported) {
        AnimInvalidate(&anim_);
        const std::int16_t stepped = step();
        AnimInvalidate(&anim_);
        sound_.TakeEndState();
        if (AnimIsFinished(&anim_)) {
            state_ = ClipState::ended;
        } else if (!stepped) {
            state_ = ClipState::stopped;
            sound_.Stop();
        }
    }
    const ClipState state = state_;
    if (state == ClipState::stopped || state == ClipState::ended) state_ = ClipState::reported;
    return state;
}

void AnimClip::Close() {
    if (!Loaded()) return;
    state_ = AnimIsFinished(&anim_) ? ClipState::ended : ClipState::stopped;
    AnimClose(&anim_);
    sound_.Stop();
}

void AnimClip::Stop() {
    sequenceOn_ = 0;
    if (Loaded()) {
        Close();
        return;
    }
    state_ = sound_.IsPlaying() ? ClipState::ended : ClipState::stopped;
    sound_.Stop();
}

void AnimClip::CloseAnimOnly() {
    if (Loaded()) AnimClose(&anim_);
}

void AnimClip::PlaySequence(const std::uint32_t* ids, std::uint16_t count) {
    SetSequence(ids, count);
    index_ = 0;
    sequenceOn_ = 1;
    Load(sequence_[0], 1);
}

void AnimClip::SetSequence(const std::uint32_t* ids, std::uint16_t count) {
    const std::uint16_t n = std::min<std::uint16_t>(count, kSequenceLength);
    std::fill(std::copy(ids, ids + n, sequence_), sequence_ + kSequenceLength, 0u);
}

Rect AnimClip::Bounds() const {
    Rect bounds{};
    if (Loaded()) AnimResGetBounds(&bounds, anim_.anim);
    return bounds;
}

Rect AnimClip::FrameBounds() const {
    Rect frame{};
    if (!Loaded()) return frame;
    const Rect bounds = Bounds();
    std::uint32_t cursor = 0;
    AnimResGetFrameBounds(anim_.anim, XmvScan{}, &cursor, bounds.left, bounds.top, &frame);
    return frame;
}

void AnimClip::RewindClock() {
    anim_.clockStart = 0u - 1000u * anim_.duration;
    sound_.Stop();
}
