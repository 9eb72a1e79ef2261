// Moves along both axes, and their create function.
#include "MoveXYAction.h"

#include "MoveTokens.h"
#include "OMTrinket.h"

MoveXYAction::MoveXYAction(RAnimation* driver, OMTrinket* moved, const MoveAxis& alongX, const MoveAxis& alongY,
                           std::int32_t isInterruptibleFlag)
    : MoveAction(driver, moved, isInterruptibleFlag), x(alongX), y(alongY) {}

MoveXYAction::~MoveXYAction() {
    if (isActive()) halt();
}

void MoveXYAction::rewindAxes() {
    x.rewind();
    y.rewind();
}

void MoveXYAction::advanceAxes() {
    x.advance();
    y.advance();
}

void MoveXYAction::showPosition() { trinket->place(x.position, y.position); }

void MoveXYAction::showTarget() { trinket->place(x.target, y.target); }

Action* createMoveXYAction(std::int32_t defaultInterruptible) {
    const MoveTokens t(10);
    if (!t) return nullptr;
    const MoveAxis alongX(t.number(2), t.number(3), t.number(4), t.number(5));
    const MoveAxis alongY(t.number(6), t.number(7), t.number(8), t.number(9));
    return new MoveXYAction(t.animation, t.trinket, alongX, alongY, t.interruptible(defaultInterruptible));
}
