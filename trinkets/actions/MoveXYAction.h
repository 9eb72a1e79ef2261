// Moves along both axes at once; the move ends only when both have passed their targets.
#pragma once

#include <cstdint>

#include "MoveAction.h"

class MoveXYAction : public MoveAction {
public:
    MoveXYAction(RAnimation* driver, OMTrinket* moved, const MoveAxis& alongX, const MoveAxis& alongY,
                 std::int32_t isInterruptibleFlag);
    ~MoveXYAction() override;

    MoveAxis x;
    MoveAxis y;

protected:
    void rewindAxes() override;
    void advanceAxes() override;
    // An axis that has passed keeps moving beyond its target until the other passes too.
    bool passedTarget() const override { return x.passed() && y.passed(); }
    void showPosition() override;
    void showTarget() override;
};

// "MoveXYAction": animation variable, trinket variable, startX, velocityX, accelerationX, targetX, startY,
// velocityY, accelerationY, targetY (required), isInterruptible.
Action* createMoveXYAction(std::int32_t defaultInterruptible);
