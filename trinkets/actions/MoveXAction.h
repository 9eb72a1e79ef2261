// Moves along one axis: "MoveXAction" moves a trinket's x, "MoveYAction" its y.
#pragma once

#include <cstdint>

#include "MoveAction.h"

class MoveXAction : public MoveAction {
public:
    MoveXAction(RAnimation* driver, OMTrinket* moved, std::int32_t start, std::int32_t velocity,
                std::int32_t acceleration, std::int32_t target, std::int32_t isInterruptibleFlag);
    ~MoveXAction() override;

    MoveAxis axis;

protected:
    void rewindAxes() override { axis.rewind(); }
    void advanceAxes() override { axis.advance(); }
    bool passedTarget() const override { return axis.passed(); }
    void showPosition() override { show(axis.position); }
    void showTarget() override { show(axis.target); }
    // Puts the trinket at this coordinate of the axis.
    virtual void show(std::int32_t coordinate);
};

class MoveYAction : public MoveXAction {
public:
    using MoveXAction::MoveXAction;

protected:
    void show(std::int32_t coordinate) override;
};

// "MoveXAction" and "MoveYAction": animation variable, trinket variable, start, velocity, acceleration,
// target (required), isInterruptible.
Action* createMoveXAction(std::int32_t defaultInterruptible);
Action* createMoveYAction(std::int32_t defaultInterruptible);
