// Queues of actions: passes, halting, clearing and the script class "RQueue".
#include "RQueue.h"

#include "OMSParameter.h"
#include "OMStackRoom.h"
#include "OMTrinket.h"

namespace {

// Passes of queues that may end within one pass of the main loop. Past them a queue begins its next pass
// in the next main-loop pass, so that steps that all finish inside their start cannot hold the program for
// ever (a queue for ever) or for hours (a huge repeat count).
constexpr std::int32_t kPassesPerMainLoopPass = 65536;

bool passMayEndNow() {
    static std::uint32_t mainLoopPass = 0;
    static std::int32_t ended = 0;
    if (mainLoopPass != taskPassesBegun()) {
        mainLoopPass = taskPassesBegun();
        ended = 0;
    }
    return ++ended <= kPassesPerMainLoopPass;
}

// While the stack has more room than this, a step that finishes inside its start moves its queue on at once,
// inside its own finish, so that the queue's reaction (its own "finished" among it) comes before the step's
// "finished" event. With less, the queue's innermost run starts the next step once the start returns, so that
// no run of such steps can exhaust the stack. The margin holds what may run at the deepest point: event
// handlers, verbs, drawing and the system calls beneath them.
constexpr std::size_t kStackMargin = 1024 * 1024;

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
    runFromCursor();
}

void RQueue::childFinished() {
    if (!isActive() || halting || !runningChildFinished()) return;
    cursor++;
    moveOn();
}

// actionFinished clears the finishing child's flag before the queue hears of it; a child at the cursor that
// is due has not been started, so any finish heard then is another child's.
bool RQueue::runningChildFinished() {
    Action* c = cursor.current();
    return c && !c->isActive() && !childDue;
}

// A halt in progress goes on from the new cursor itself, or leaves the child to a run of this queue.
void RQueue::moveOn() {
    if (startLoops > 0 && (halting || stackRoom() < kStackMargin)) {
        childDue = true;
        return;
    }
    if (!halting) runFromCursor();
}

// Starts the child at the cursor, and the ones after it that moveOn marks due while the run is under way.
// The run ends when the cursor passes the end of the last pass.
void RQueue::runFromCursor() {
    const ActionDeathWatch watch(this);
    ++startLoops;
    bool runOver = false;
    do {
        if (!cursor.current()) {
            if (!passMayEndNow()) {
                holdPassBack();
                break;
            }
            if ((runOver = !nextPass())) break;
        }
        childDue = false;
        cursor.current()->start();
        if (watch.destroyed()) return;
    } while (childDue && isActive());
    --startLoops;
    if (runOver) actionFinished();
}

// The pass is over: false when it was the last one, otherwise the cursor goes back to the first child.
bool RQueue::nextPass() {
    if (repeatCount != -1 && ++passesDone >= repeatCount) return false;
    cursor.toHead();
    return cursor.current() != nullptr;
}

// The cursor stays past the end until the task's slice in the next main-loop pass goes on from there.
void RQueue::holdPassBack() {
    const OMLinkToObj<RQueue> link(this, &RQueue::passDue);
    heldPass = std::make_unique<OMTask>(&link, 0);
    heldInPass = taskPassesBegun();
    appendTask(heldPass.get());
}

// A task appended during a pass is reached in that same pass, which has no passes left to give. The
// task's own slice deletes it: the task list's walk allows that.
void RQueue::passDue() {
    if (taskPassesBegun() == heldInPass) return;
    heldPass.reset();
    runFromCursor();
}

// A halt that arrives while the walk runs (a step's verb may halt its own queue) changes nothing.
void RQueue::halt() {
    if (halting) return;
    const ActionDeathWatch watch(this);
    halting = true;
    bool skipped = false;
    for (Action* c = cursor.current(); c && c->isInterruptible(); c = cursor.current()) {
        c->halt();
        if (watch.destroyed()) return;
        if (cursor.current() == c) cursor++;
        skipped = true;
    }
    halting = false;
    heldPass.reset();
    if (!cursor.current()) return Action::halt();
    if (skipped) runFromCursor();
}

std::int32_t RQueue::isInterruptible() { return allChildrenInterruptible(); }

void RQueue::pause() {
    if (heldPass) heldPass->suspended = 1;
    if (Action* c = cursor.current()) c->pause();
}

void RQueue::resume() {
    if (heldPass) heldPass->suspended = 0;
    if (Action* c = cursor.current()) c->resume();
}

void RQueue::removeAction(Action* action) {
    const bool wasCurrent = cursor.current() == action;
    if (wasCurrent) cursor++;
    const ActionDeathWatch watch(this);
    ActionContainer::removeAction(action);
    if (!watch.destroyed() && wasCurrent && isActive()) moveOn();
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
    const ActionDeathWatch watch(this);
    halt();
    if (!watch.destroyed() && !cursor.current()) clearActions();
}

void RQueue::setRepeatText(OMArg text) { repeatCount = atLeastOnce(integerOf(text)); }
void RQueue::getRepeatText(OMArg buffer) { writeInteger(buffer, repeatCount); }
