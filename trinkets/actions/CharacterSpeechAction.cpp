// Speech steps on a character.
#include "CharacterSpeechAction.h"

#include "ActionFactory.h"
#include "RCharacter.h"

CharacterSpeechAction::CharacterSpeechAction(RCharacter* who, std::int16_t sound, std::int32_t isInterruptibleFlag)
    : CharacterAction(who, isInterruptibleFlag), soundId(sound) {}

void CharacterSpeechAction::play(const OMLink& done) { character->playSpeech(soundId, &done, 1, 1); }

Action* createCharacterSpeechAction(std::int32_t defaultInterruptible) {
    const std::vector<std::string> t = popTokens(3);
    RCharacter* who = tokenCharacter(t[0]);
    if (!who || t[1].empty()) return nullptr;
    const std::int32_t interruptible = t[2].empty() ? defaultInterruptible : tokenNumber(t[2]);
    return new CharacterSpeechAction(who, static_cast<std::int16_t>(tokenNumber(t[1])), interruptible);
}
