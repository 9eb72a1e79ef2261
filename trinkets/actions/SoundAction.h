// The step that plays one WAVE sound found by id and finishes when the sound ends.
#pragma once

#include <cstdint>
#include <memory>

#include "Action.h"
#include "OMIStream.h"
#include "OMWaveSound.h"

class SoundAction : public Action {
public:
    // Finds WAVE data by sound id: a new stream, or null when there is none.
    using SoundLookup = OMIStream* (*)(std::uint16_t id, std::int32_t flag);
    // The id that means no sound.
    static constexpr std::uint16_t kNoSound = 0xFFFF;

    SoundAction(std::uint16_t id, std::int32_t source, std::int32_t isInterruptibleFlag);
    ~SoundAction() override;

    void halt() override;
    void pause() override;
    void resume() override;
    // Each start plays afresh; without a sound to play the action finishes at once.
    void start() override;

    static void setSoundLookup(SoundLookup lookup) { soundLookupHook = lookup; }
    static SoundLookup soundLookupHook;

    std::int32_t sourceFlag;
    std::unique_ptr<OMIStream> stream;
    std::unique_ptr<OMWaveSound> sound;
    std::uint16_t soundId;

private:
    void soundFinished();
};

// "SoundAction": soundId (required), sourceFlag, isInterruptible.
Action* createSoundAction(std::int32_t defaultInterruptible);
