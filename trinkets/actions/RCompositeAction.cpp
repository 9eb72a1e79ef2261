// Composites of actions and the script class "RCompositeAction".
#include "RCompositeAction.h"

#include "OMSParameter.h"
#include "OMTrinket.h"

namespace {

// "RCompositeAction" isInterruptible: absent gives 1.
OMScriptableObject* makeComposite() {
    const char* flag = popParameter();
    return new RCompositeAction(*flag ? integerOf(reinterpret_cast<OMArg>(flag)) : 1);
}

}  // namespace

OMSR RCompositeAction::classRecord{"RCompositeAction", makeComposite};

RCompositeAction::~RCompositeAction() {
    if (isActive()) halt();
}

// A child that finishes inside its own start is counted at once.
void RCompositeAction::start() {
    if (isActive()) return;
    Action::start();
    if (!children.head) return actionFinished();
    finishedCount = 0;
    notStarted = children;
    eachChild([this](Action* child) {
        notStarted.remove(child);
        child->start();
    });
}

void RCompositeAction::childFinished() {
    if (isActive() && ++finishedCount == children.count) actionFinished();
}

void RCompositeAction::removeAction(Action* action) {
    notStarted.remove(action);
    const ActionDeathWatch watch(this);
    ActionContainer::removeAction(action);
    if (watch.destroyed() || !isActive()) return;
    finishedCount = childrenDone();
    if (finishedCount == children.count) actionFinished();
}

std::int32_t RCompositeAction::childrenDone() {
    std::int32_t done = 0;
    for (OMListElement<Action>* n = children.head; n; n = n->next) {
        done += !n->element->isActive() && !notStarted.contains(n->element);
    }
    return done;
}

// Children that finished were counted then; halted ones are done too, so the count is taken anew, and
// only children that must not be cut (or that start has still to reach) keep the composite active.
void RCompositeAction::halt() {
    const auto haltInterruptible = [](Action* child) {
        if (child->isInterruptible()) child->halt();
    };
    if (!eachChild(haltInterruptible)) return;
    finishedCount = childrenDone();
    if (finishedCount == children.count) Action::halt();
}

std::int32_t RCompositeAction::isInterruptible() { return allChildrenInterruptible(); }

void RCompositeAction::pause() { eachChild(&Action::pause); }
void RCompositeAction::resume() { eachChild(&Action::resume); }
