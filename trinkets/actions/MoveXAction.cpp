// Moves along x or y, and their create functions.
#include "MoveXAction.h"

#include "MoveTokens.h"
#include "OMTrinket.h"

MoveXAction::MoveXAction(RAnimation* driver, OMTrinket* moved, std::int32_t start, std::int32_t velocity,
                         std::int32_t acceleration, std::int32_t target, std::int32_t isInterruptibleFlag)
    : MoveAction(driver, moved, isInterruptibleFlag), axis(start, velocity, acceleration, target) {}

MoveXAction::~MoveXAction() {
    if (isActive()) halt();
}

void MoveXAction::show(std::int32_t coordinate) { trinket->setX(coordinate); }

void MoveYAction::show(std::int32_t coordinate) { trinket->setY(coordinate); }

namespace {

template <class Move>
Action* createAxisMove(std::int32_t defaultInterruptible) {
    const MoveTokens t(6);
    if (!t) return nullptr;
    return new Move(t.animation, t.trinket, t.number(2), t.number(3), t.number(4), t.number(5),
                    t.interruptible(defaultInterruptible));
}

}  // namespace

Action* createMoveXAction(std::int32_t defaultInterruptible) { return createAxisMove<MoveXAction>(defaultInterruptible); }
Action* createMoveYAction(std::int32_t defaultInterruptible) { return createAxisMove<MoveYAction>(defaultInterruptible); }
