// "CharacterSpeechAction": a character speaks and the step finishes when the speech's sound has ended.
#pragma once

#include <cstdint>

#include "CharacterAction.h"

class CharacterSpeechAction : public CharacterAction {
public:
    CharacterSpeechAction(RCharacter* who, std::int16_t sound, std::int32_t isInterruptibleFlag);

    std::int16_t soundId;

protected:
    void play(const OMLink& done) override;
};

// "CharacterSpeechAction": character variable (required), soundId (required), isInterruptible.
Action* createCharacterSpeechAction(std::int32_t defaultInterruptible);
