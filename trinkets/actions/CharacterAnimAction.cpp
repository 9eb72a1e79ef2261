// Animation steps on a character.
#include "CharacterAnimAction.h"

#include "ActionFactory.h"
#include "RCharacter.h"

CharacterAnimAction::CharacterAnimAction(RCharacter* who, std::int16_t animation, std::int32_t repeats,
                                         std::int32_t stay, std::int32_t isInterruptibleFlag)
    : CharacterAction(who, isInterruptibleFlag), animationId(animation), repeatCount(repeats), stayVisible(stay) {}

void CharacterAnimAction::play(const OMLink& done) { character->playAnim(animationId, &done, repeatCount, stayVisible); }

Action* createCharacterAnimAction(std::int32_t defaultInterruptible) {
    const std::vector<std::string> t = popTokens(5);
    RCharacter* who = tokenCharacter(t[0]);
    if (!who || t[1].empty()) return nullptr;
    const std::size_t run = tokenRun(t);
    const auto number = [&](std::size_t i, std::int32_t absent) { return run > i ? tokenNumber(t[i]) : absent; };
    return new CharacterAnimAction(who, static_cast<std::int16_t>(tokenNumber(t[1])), number(2, 1), number(3, 1),
                                   number(4, defaultInterruptible));
}
