// Steps on a script object: the death interest in the target and the shared start and halt.
#include "TargetAction.h"

#include "YDeathInterest.h"

TargetAction::TargetAction(OMScriptableObject* object, std::int32_t isInterruptibleFlag)
    : Action(isInterruptibleFlag), target(object) {
    const OMLinkToObj<TargetAction> gone(this, nullptr, &TargetAction::targetDestroyed);
    registerDeathInterest(target, this, &gone);
}

TargetAction::~TargetAction() {
    if (isActive()) Action::halt();
    if (target) unregisterDeathInterest(target, this);
}

void TargetAction::start() {
    Action::start();
    performIfTargeted();
    actionFinished();
}

void TargetAction::halt() {
    Action::halt();
    performIfTargeted();
}

void TargetAction::performIfTargeted() {
    if (target) perform();
}
