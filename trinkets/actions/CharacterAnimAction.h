// "CharacterAnimAction": plays an animation on a character and finishes when it ends.
#pragma once

#include <cstdint>

#include "CharacterAction.h"

class CharacterAnimAction : public CharacterAction {
public:
    CharacterAnimAction(RCharacter* who, std::int16_t animation, std::int32_t repeats, std::int32_t stay,
                        std::int32_t isInterruptibleFlag);

    std::int16_t animationId;
    std::int32_t repeatCount;
    std::int32_t stayVisible;

protected:
    void play(const OMLink& done) override;
};

// "CharacterAnimAction": character variable (required), animationId (required), repeatCount = 1,
// stayVisible = 1, isInterruptible.
Action* createCharacterAnimAction(std::int32_t defaultInterruptible);
