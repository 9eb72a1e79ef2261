// Fixed and random waits: one main-loop task per waiting action, polling the millisecond clock.
#include "DelayAction.h"

#include <cstdlib>

#include "ActionFactory.h"
#include "OMSystemUtilities.h"

namespace {

std::int32_t nowMs() { return static_cast<std::int32_t>(ticksMs()); }

}  // namespace

DelayAction::DelayAction(std::int32_t delayMs, std::int32_t isInterruptibleFlag)
    : Action(isInterruptibleFlag), delay(delayMs) {}

DelayAction::~DelayAction() {
    if (isActive()) halt();
}

void DelayAction::start() {
    Action::start();
    if (!task) {
        const OMLinkToObj<DelayAction> link(this, &DelayAction::tick);
        task = std::make_unique<OMTask>(&link, 0);
    }
    task->suspended = 0;
    appendTask(task.get());
    remaining = waitLength();
    startTime = nowMs();
    startPass = taskPassesBegun();
}

// A wait comes due in a later pass than the one it started in: otherwise a queue for ever whose only wait
// is 0 ms would start its next wait, reached again in the same walk, without end.
// The task's own slice deletes it: the task list's walk allows that, and nothing touches it afterwards.
void DelayAction::tick() {
    if (taskPassesBegun() == startPass || nowMs() - startTime < remaining) return;
    task.reset();
    actionFinished();
}

void DelayAction::pause() {
    if (!task || task->suspended) return;
    task->suspended = 1;
    remaining -= nowMs() - startTime;
}

void DelayAction::resume() {
    if (!task || !task->suspended) return;
    task->suspended = 0;
    startTime = nowMs();
}

void DelayAction::halt() {
    Action::halt();
    task.reset();
}

RandomDelayAction::RandomDelayAction(std::int32_t lowerMs, std::int32_t upperMs, std::int32_t isInterruptibleFlag)
    : DelayAction(0, isInterruptibleFlag), upper(upperMs), lower(lowerMs) {}

// An upper bound below lower still draws (the remainder keeps the sign of the dividend): lower up to
// lower + (lower - upper) - 1. Only an equal pair has no range.
std::int32_t RandomDelayAction::waitLength() {
    if (upper == lower) return lower;
    return std::rand() % (upper - lower) + lower;
}

Action* createDelayAction(std::int32_t defaultInterruptible) {
    const std::vector<std::string> t = popTokens(2);
    switch (tokenRun(t)) {
    case 2: return new DelayAction(tokenNumber(t[0]), tokenNumber(t[1]));
    case 1: return new DelayAction(tokenNumber(t[0]), defaultInterruptible);
    default: return nullptr;
    }
}

Action* createRandomDelayAction(std::int32_t defaultInterruptible) {
    const std::vector<std::string> t = popTokens(3);
    switch (tokenRun(t)) {
    case 3: return new RandomDelayAction(tokenNumber(t[0]), tokenNumber(t[1]), tokenNumber(t[2]));
    case 2: return new RandomDelayAction(tokenNumber(t[0]), tokenNumber(t[1]), defaultInterruptible);
    default: return nullptr;
    }
}
