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
    forEachChild(&Action::start);
}

void RCompositeAction::childFinished() {
    if (++finishedCount == children.count) actionFinished();
}

// Only children still running are counted as they are halted: those that finished were counted then, and
// counting them again would carry the count past the number of children, so that the composite never
// finished and ignored every later start.
void RCompositeAction::halt() {
    for (OMListElement<Action>* n = children.head; n; n = n->next) {
        Action* child = n->element;
        if (!child->isInterruptible()) continue;
        const std::int32_t wasActive = child->isActive();
        child->halt();
        if (wasActive) ++finishedCount;
    }
    if (finishedCount == children.count) Action::halt();
}

std::int32_t RCompositeAction::isInterruptible() { return allChildrenInterruptible(); }

void RCompositeAction::pause() { forEachChild(&Action::pause); }
void RCompositeAction::resume() { forEachChild(&Action::resume); }

// Each child in list order; the next node is taken before the call, which may end the child.
void RCompositeAction::forEachChild(void (Action::*method)()) {
    for (OMListElement<Action>* n = children.head; n;) {
        OMListElement<Action>* next = n->next;
        (n->element->*method)();
        n = next;
    }
}
