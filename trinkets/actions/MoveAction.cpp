// Moves driven by an animation's frames: taking over and giving back its notification, the step, and
// the death of the trinket or the animation.
#include "MoveAction.h"

#include "RAnimation.h"
#include "YDeathInterest.h"

namespace {

// Wraps around instead of overflowing: a move that never passes its target may run for ever.
std::int32_t wrappingSum(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

}  // namespace

MoveAxis::MoveAxis(std::int32_t from, std::int32_t speed, std::int32_t speedUp, std::int32_t to)
    : position(from), acceleration(speedUp), start(from), target(to), velocity(speed), initialVelocity(speed) {}

void MoveAxis::rewind() {
    position = start;
    velocity = initialVelocity;
}

void MoveAxis::advance() {
    position = wrappingSum(position, velocity);
    velocity = wrappingSum(velocity, acceleration);
}

bool MoveAxis::passed() const { return (start < target && position > target) || (start > target && position < target); }

MoveAction::MoveAction(RAnimation* driver, OMTrinket* moved, std::int32_t isInterruptibleFlag)
    : Action(isInterruptibleFlag),
      savedNotification(driver ? driver->frameNotification() : 0),
      trinket(moved),
      animation(driver) {
    const OMLinkToObj<MoveAction> gone(this, nullptr, &MoveAction::objectDestroyed);
    registerDeathInterest(trinket, this, &gone);
    registerDeathInterest(animation, this, &gone);
}

MoveAction::~MoveAction() {
    if (trinket) unregisterDeathInterest(trinket, this);
    if (animation) unregisterDeathInterest(animation, this);
}

void MoveAction::start() {
    const bool running = isActive();
    Action::start();
    if (!animation || !trinket) return actionFinished();
    if (!running) savedNotification = animation->frameNotification();
    const OMLinkToObj<MoveAction> stepLink(this, &MoveAction::step);
    animation->setFrameNotification(1, &stepLink);
    animation->play();
    rewindAxes();
    showPosition();
}

void MoveAction::step() {
    if (trinket) {
        advanceAxes();
        if (!passedTarget()) return showPosition();
    }
    halt();
    actionFinished();
}

void MoveAction::halt() {
    Action::halt();
    if (animation) {
        animation->setFrameNotification(savedNotification, nullptr);
        animation->pause();
    }
    if (trinket) showTarget();
}

void MoveAction::pause() {
    if (animation) animation->suspend();
}

void MoveAction::resume() {
    if (animation) animation->resume();
}

// One object may be both the trinket and the animation.
void MoveAction::objectDestroyed(OMArg dying) {
    const auto* object = reinterpret_cast<const void*>(dying);
    if (object == static_cast<const void*>(trinket)) trinket = nullptr;
    if (object == static_cast<const void*>(animation)) animation = nullptr;
}
