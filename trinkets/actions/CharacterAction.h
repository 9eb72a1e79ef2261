// The base of the steps that play on a character: the character pointer, cleared through the death
// registry when the character dies, halting that stops the character, and pause and resume passed on; a
// step that is destroyed takes its done links out of the character.
#pragma once

#include <cstdint>
#include <string>

#include "Action.h"

class RCharacter;

class CharacterAction : public Action {
public:
    CharacterAction(RCharacter* who, std::int32_t isInterruptibleFlag);
    // An active step is halted first; the character then drops every link to this step.
    ~CharacterAction() override;

    void halt() override;
    void pause() override;
    void resume() override;
    // Without a character the step finishes at once.
    void start() override;

    RCharacter* character;

protected:
    // Asks the character to play; it calls `done` when the play ends or is refused.
    virtual void play(const OMLink& done) = 0;

private:
    void characterDestroyed(OMArg) { character = nullptr; }
};

// The character held by the script variable named token, or null.
RCharacter* tokenCharacter(const std::string& token);
