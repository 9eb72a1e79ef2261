// The step that plays an animation resource found by id in the trinket window and finishes at the end of
// its play; the animation exists only while the step runs.
#pragma once

#include <cstdint>
#include <memory>

#include "Action.h"
#include "OMIStream.h"
#include "RAnimation.h"

class AnimAction : public Action {
public:
    // Finds ASEQ data by id: a new stream, or null when there is none.
    using AnimationLookup = OMIStream* (*)(std::uint16_t id);
    // The id that means no animation.
    static constexpr std::uint16_t kNoAnimation = 0xFFFF;

    // An x or y of 11111 places the animation where its data say.
    AnimAction(std::uint16_t id, std::int32_t left, std::int32_t top, std::int32_t layer, std::int32_t ignored,
               std::int32_t isInterruptibleFlag);
    ~AnimAction() override;

    // Deletes the animation, which leaves the screen.
    void halt() override;
    void pause() override;
    void resume() override;
    // Each start makes a new animation; without one to play the action finishes at once.
    void start() override;

    static void setAnimationLookup(AnimationLookup lookup) { animationLookupHook = lookup; }
    static AnimationLookup animationLookupHook;

    std::int32_t ignoredValue;
    std::int32_t x;
    std::int32_t y;
    std::int32_t z;
    std::unique_ptr<RAnimation> animation;
    std::uint16_t animationId;

private:
    // A playable animation of the id in the trinket window, or null.
    std::unique_ptr<RAnimation> makeAnimation() const;
    void animationEnded();
};

// "AnimAction", by the number of tokens: id x y z ignored isInterruptible; id x y z ignored;
// id z ignored isInterruptible; id z ignored.
Action* createAnimAction(std::int32_t defaultInterruptible);
