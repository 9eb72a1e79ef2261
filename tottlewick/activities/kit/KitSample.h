// Loaded samples played with their sound id as the play's user word, so that their completion and the
// play layer's call log name the sound; and a play that a module may stop later.
#pragma once

#include <cstdint>

#include "MemHandle.h"
#include "SndPlay.h"

// The channel, or -1 when the sample got none.
std::int16_t KitPlaySample(MemHandle sample, std::uint16_t soundId, std::int16_t priority, bool looped = false);

// Sets the completion procedure and its data word of the plays started during its life.
class SndDoneScope {
public:
    SndDoneScope(SndCompletionProc proc, const void* data)
        : proc_(SndSetDoneProc(proc)),
          data_(SndSetDoneData(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(data)))) {}
    ~SndDoneScope() {
        SndSetDoneProc(proc_);
        SndSetDoneData(data_);
    }
    SndDoneScope(const SndDoneScope&) = delete;
    SndDoneScope& operator=(const SndDoneScope&) = delete;

private:
    SndCompletionProc proc_;
    std::uint32_t data_;
};

// A module's own sample play. The engine gives a play the highest free channel, so a channel number kept
// past the end of its play soon names a newer sound: the play's completion forgets the channel, and
// stopping stops only this play, which the destructor does too (a sample still sounding cannot be freed).
class KitSamplePlay {
public:
    KitSamplePlay() = default;
    ~KitSamplePlay() { Stop(); }
    KitSamplePlay(const KitSamplePlay&) = delete;
    KitSamplePlay& operator=(const KitSamplePlay&) = delete;

    // Stops this object's previous play, then plays; the channel or -1.
    std::int16_t Play(MemHandle sample, std::uint16_t soundId, std::int16_t priority, bool looped = false);
    void Stop();
    bool IsPlaying() const { return channel_ >= 0; }

private:
    static void onDone(std::int16_t channel, std::uint32_t soundId, MemHandle sample, std::uint32_t data);

    std::int16_t channel_ = -1;
};
