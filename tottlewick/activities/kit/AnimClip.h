// An animation with the sound of the same id, its end state, and a sequence of up to 16 animations.
#pragma once

#include <cstdint>

#include "Anim.h"
#include "SoundClip.h"

class AnimClip {
public:
    static constexpr int kSequenceLength = 16;
    enum Mode : std::uint32_t { loop = 0, once = 1, onceAndClose = 2 };

    explicit AnimClip(std::uint32_t id = 0);
    ~AnimClip();
    AnimClip(const AnimClip&) = delete;
    AnimClip& operator=(const AnimClip&) = delete;

    // Opens the animation clock-driven and running with its sound; synchronised, the sound is readied
    // first and started just after the opening.
    void Play(std::uint16_t synchronised);
    void Load(std::uint32_t id, std::uint16_t synchronised);
    void LoadHeld(std::uint32_t id);
    // The first frame shown and paused, the sound ready.
    void OpenHeld();
    void StartAt(std::int16_t x, std::int16_t y);
    void SetPaused(std::int16_t paused);
    void SetMode(std::uint32_t mode) { mode_ = mode; }
    void Draw(const Rect* clip) const;
    // One step: the state, an end (2 or 3) told once and then read as 4.
    ClipState Tick();
    void Close();
    void Stop();
    void CloseAnimOnly();
    // Plays count ids (at most 16) one after another; a zero id ends the sequence.
    void PlaySequence(const std::uint32_t* ids, std::uint16_t count);
    // Takes count ids (at most 16, the rest zero) as the sequence without starting it.
    void SetSequence(const std::uint32_t* ids, std::uint16_t count);
    std::uint32_t SequenceId(int index) const { return sequence_[index]; }
    Rect Bounds() const;
    Rect FrameBounds() const;
    void RewindClock();

    Anim& Record() { return anim_; }
    const Anim& Record() const { return anim_; }
    bool Loaded() const { return anim_.anim != 0; }
    ClipState State() const { return state_; }

private:
    std::int16_t step();
    void stepSequence();

    std::uint32_t mode_ = once;
    ClipState state_ = ClipState::idle;
    SoundClip sound_;
    Anim anim_;
    std::uint32_t sequence_[kSequenceLength] = {};
    std::uint16_t index_ = 0;
    std::uint16_t sequenceOn_ = 0;
};
