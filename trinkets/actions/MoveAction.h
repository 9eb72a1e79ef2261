// The base of the steps that move a trinket towards a target, stepped by the frame notifications of a
// script animation, so that the motion keeps pace with that animation's frame rate.
#pragma once

#include <cstdint>

#include "Action.h"

class OMTrinket;
class RAnimation;

// One coordinate of a move: where it starts, how fast it goes and speeds up, and the target that ends it.
struct MoveAxis {
    MoveAxis(std::int32_t from, std::int32_t speed, std::int32_t speedUp, std::int32_t to);

    // Back at the start with the first velocity, so every run of a move is the same.
    void rewind();
    // The velocity moves the position, then the acceleration changes the velocity (both wrap around).
    void advance();
    // Beyond the target on the far side from the start; reaching it exactly is not passing it.
    bool passed() const;

    std::int32_t position;
    std::int32_t acceleration;
    std::int32_t start;
    std::int32_t target;
    std::int32_t velocity;
    std::int32_t initialVelocity;
};

class MoveAction : public Action {
public:
    // Takes note of both objects' deaths; the animation's notification mode is remembered.
    MoveAction(RAnimation* driver, OMTrinket* moved, std::int32_t isInterruptibleFlag);
    // Subclasses halt an active move in their own destructors (halt puts the trinket on the target).
    ~MoveAction() override;

    // Gives the animation back its notification mode, pauses it and puts the trinket on the target.
    void halt() override;
    void pause() override;
    void resume() override;
    // Takes over the animation's frame notification and puts the trinket at the start. A start while
    // running keeps the mode saved by the first.
    void start() override;

    std::int32_t savedNotification;
    OMTrinket* trinket;
    RAnimation* animation;

protected:
    virtual void rewindAxes() = 0;
    virtual void advanceAxes() = 0;
    // Every axis has passed its target.
    virtual bool passedTarget() const = 0;
    virtual void showPosition() = 0;
    virtual void showTarget() = 0;

private:
    void step();
    void objectDestroyed(OMArg dying);
};
