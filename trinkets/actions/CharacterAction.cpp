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
    // A step that is no longer active may still be called by a link of the character: a start while it
    // was active finishes it at once and leaves the first link stored.
    character->forgetDoneLinks(static_cast<Action*>(this));
    unregisterDeathInterest(character, this);
}

void CharacterAction::start() {
    Action::start();
    if (!character) return actionFinished();
    const OMLinkToObj<Action> done(this, &Action::actionFinished);
    play(done);
}

// The character's stop drops the done link only while it plays; during its "finished" event the link is
// held apart and is taken out here.
void CharacterAction::halt() {
    Action::halt();
    if (!character) return;
    character->stop();
    character->forgetDoneLinks(static_cast<Action*>(this));
}

void CharacterAction::pause() {
    if (character) character->pause();
}

void CharacterAction::resume() {
    if (character) character->resume();
}

RCharacter* tokenCharacter(const std::string& token) { return dynamic_cast<RCharacter*>(tokenObject(token)); }
