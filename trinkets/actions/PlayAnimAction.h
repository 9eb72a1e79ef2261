// The step that plays an existing script animation on to the end of its play.
#pragma once

#include <cstdint>

#include "Action.h"

class RAnimation;

class PlayAnimAction : public Action {
public:
    // Takes note of the animation's death; without an animation the step finishes at once.
    PlayAnimAction(RAnimation* played, std::int32_t isInterruptibleFlag);
    ~PlayAnimAction() override;

    // Takes the step's end link off the animation and pauses it.
    void halt() override;
    void pause() override;
    void resume() override;
    void start() override;

    RAnimation* animation;

private:
    void animationEnded();
    // No end link and no wait for sounds at the end.
    void releaseEnd();
    void animationDestroyed(OMArg) { animation = nullptr; }
};

// "PlayAnimAction": animation variable (required), isInterruptible.
Action* createPlayAnimAction(std::int32_t defaultInterruptible);
