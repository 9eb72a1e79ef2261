// Steps on a character: its death interest, start with the finish link, halt, pause and resume.
#include "CharacterAction.h"

#include "ActionFactory.h"
#include "RCharacter.h"
#include "YDeathInterest.h"

CharacterAction::CharacterAction(RCharacter* who, std::int32_t isInterruptibleFlag)
    : Action(isInterruptibleFlag), character(who) {
    const OMLinkToObj<CharacterAction> gone(this, nullptr, &CharacterAction::characterDestroyed);
    registerDeathInterest(character, this, &gone);
}

CharacterAction::~CharacterAction() {
    if (isActive()) halt();
    if (!character) return;
    // The character may still hold a link to this step: the one held apart while its "finished" event runs,
    // or the first link of a step started again while active (that start is refused).
    character->forgetDoneLinks(static_cast<Action*>(this));
    unregisterDeathInterest(character, this);
}

void CharacterAction::start() {
    Action::start();
    if (!character) return actionFinished();
    const OMLinkToObj<Action> done(this, &Action::actionFinished);
    play(done);
}

void CharacterAction::halt() {
    Action::halt();
    if (character) character->stop();
}

void CharacterAction::pause() {
    if (character) character->pause();
}

void CharacterAction::resume() {
    if (character) character->resume();
}

RCharacter* tokenCharacter(const std::string& token) { return dynamic_cast<RCharacter*>(tokenObject(token)); }
