// A sound play with its end state: the voice prompts and the sounds of the kit's animations.
#pragma once

#include <cstdint>

#include "MemHandle.h"

// The end states of a clip, shared with AnimClip.
enum class ClipState : std::uint32_t { idle = 0, playing = 1, stopped = 2, ended = 3, reported = 4 };

class SoundClip {
public:
    SoundClip();
    virtual ~SoundClip();
    SoundClip(const SoundClip&) = delete;
    SoundClip& operator=(const SoundClip&) = delete;

    // A play of the id that is still sounding is not restarted. With wait, returns when the play is over.
    void Play(std::uint32_t id, std::uint16_t streamed, std::uint16_t wait, std::uint16_t looped);
    void Stop();
    // Readies a streamed play of id that StartPrepared starts.
    void Prepare(std::uint32_t id);
    void StartPrepared();
    // Stops a play that is over; true while a channel is held.
    bool IsPlaying();
    // A stopped or ended state is reported once, then reads as reported.
    ClipState TakeEndState();
    void SetVolume(std::uint16_t volume);
    // The sample of the clip's id, loaded on first use.
    MemHandle GetSample();
    void SetSample(std::uint32_t id);
    ClipState State() const { return state_; }

private:
    static void onDone(std::int16_t channel, std::uint32_t soundId, MemHandle sample, std::uint32_t data);
    std::int16_t startPlay(std::uint32_t id, std::uint16_t streamed, std::uint16_t looped);

    std::uint32_t soundId_ = 0;
    std::uint16_t sequence_ = 0;  // the play runs as the engine's sound sequence
    ClipState state_ = ClipState::idle;
    std::uint16_t volume_ = 1024;
    std::uint16_t channel_ = 0xFFFF;
    MemHandle sample_ = 0;
};
