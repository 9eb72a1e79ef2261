// Queues of actions: passes, halting, clearing and the script class "RQueue".
#include "RQueue.h"

#include "OMSParameter.h"
#include "OMTrinket.h"

namespace {

std::int32_t atLeastOnce(std::int32_t repeat) { return repeat == 0 ? 1 : repeat; }

// "RQueue" repeatCount isInterruptible: absent tokens give 1 and 1.
OMScriptableObject* makeQueue() {
    const char* repeat = popParameter();
    if (!*repeat) return new RQueue(1, 1);
    const char* flag = popParameter();
    return new RQueue(integerOf(reinterpret_cast<OMArg>(repeat)), *flag ? integerOf(reinterpret_cast<OMArg>(flag)) : 1);
}

}  // namespace

OMSR RQueue::classRecord{"RQueue", makeQueue};

RQueue::RQueue(std::int32_t repeat, std::int32_t isInterruptibleFlag)
    : ActionContainer(isInterruptibleFlag), repeatCount(atLeastOnce(repeat)), cursor(children) {}

RQueue::~RQueue() {
    if (isActive()) halt();
    cursor.node = nullptr;
}

void RQueue::start() {
    if (isActive()) return;
    Action::start();
    passesDone = 0;
    cursor.toHead();
    if (!cursor.current()) return actionFinished();
    cursor.current()->start();
}

void RQueue::childFinished() {
    cursor++;
    runAtCursor();
}

void RQueue::runAtCursor() {
    if (Action* next = cursor.current()) return next->start();
    if (repeatCount != -1 && ++passesDone >= repeatCount) return actionFinished();
    cursor.toHead();
    if (!cursor.current()) return actionFinished();
    cursor.current()->start();
}

void RQueue::halt() {
    bool skipped = false;
    for (Action* c = cursor.current(); c && c->isInterruptible(); c = cursor.current()) {
        c->halt();
        cursor++;
        skipped = true;
    }
    if (!cursor.current()) return Action::halt();
    if (skipped) cursor.current()->start();
}

std::int32_t RQueue::isInterruptible() { return allChildrenInterruptible(); }

void RQueue::pause() {
    if (Action* c = cursor.current()) c->pause();
}

void RQueue::resume() {
    if (Action* c = cursor.current()) c->resume();
}

void RQueue::removeAction(Action* action) {
    Action* current = cursor.current();
    OMListLocator<Action> at(children);
    at.find(action);
    const bool wasCurrent = at.node && at.node == cursor.node;
    at++;
    Action* successor = at.current();
    cursor.node = nullptr;
    ActionContainer::removeAction(action);
    if (!wasCurrent) return cursor.find(current);
    cursor.find(successor);
    if (isActive()) runAtCursor();
}

void RQueue::registerProperties() {
    ActionContainer::registerProperties();
    const OMLinkToObj<RQueue> setter(this, nullptr, &RQueue::setRepeatText), getter(this, nullptr, &RQueue::getRepeatText);
    addDataProperty("repeatCount", &setter, &getter);
    const OMLinkToObj<RQueue> clear(this, &RQueue::clearVerb);
    addMethodProperty("clear", &clear);
}

// Nothing is removed while a step that must not be cut still runs.
void RQueue::clearVerb() {
    halt();
    if (cursor.current()) return;
    clearActions();
    cursor.node = nullptr;
}

void RQueue::setRepeatText(OMArg text) { repeatCount = atLeastOnce(integerOf(text)); }
void RQueue::getRepeatText(OMArg buffer) { writeInteger(buffer, repeatCount); }
