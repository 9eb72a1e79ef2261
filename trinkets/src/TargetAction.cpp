// Steps on a script object: the death interest in the target and the shared start and halt.
#include "TargetAction.h"

#include "YDeathInterest.h"
#include "YHeap.h"

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
    if (targetPresent()) perform();
}

// Only a few classes report their deaths to the registry. An object of any other class dies with the script
// variable that owns it (a drop, a new value, the end of the script), so a target that no variable owns is
// no longer touched.
bool TargetAction::targetPresent() {
    if (target && !scriptHeap().findObjectVariable(target, nullptr)) {
        unregisterDeathInterest(target, this);
        target = nullptr;
    }
    return target != nullptr;
}
