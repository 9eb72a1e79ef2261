// Steps on a script object: the death interest in the target and the shared start and halt.
#include "TargetAction.h"

#include "YDeathInterest.h"

TargetAction::TargetAction(OMScriptableObject* object, std::int32_t isInterruptibleFlag)
    : Action(isInterruptibleFlag), target(object), targetSerial(object ? object->serial() : 0) {
    const OMLinkToObj<TargetAction> gone(this, nullptr, &TargetAction::targetDestroyed);
    registerDeathInterest(target, this, &gone);
}

TargetAction::~TargetAction() {
    if (isActive()) Action::halt();
    if (target) unregisterDeathInterest(target, this);
}

// A step halted by its own verb (which halted the container holding it) has ended without finishing.
void TargetAction::start() {
    Action::start();
    if (performIfTargeted() && isActive()) actionFinished();
}

void TargetAction::halt() {
    Action::halt();
    static_cast<void>(performIfTargeted());
}

// The verb may delete the container that owns this step, and the step with it.
bool TargetAction::performIfTargeted() {
    if (performing || !targetPresent()) return true;
    const ActionDeathWatch watch(this);
    performing = true;
    perform();
    if (watch.destroyed()) return false;
    performing = false;
    return true;
}

// Only a few classes report their deaths to the registry; a target of any other class is checked against
// the live objects before it is touched.
bool TargetAction::targetPresent() {
    if (target && !OMScriptableObject::isAlive(target, targetSerial)) {
        unregisterDeathInterest(target, this);
        target = nullptr;
    }
    return target != nullptr;
}
