// "RQueue": runs its children one after another for a number of passes or for ever; halting skips the
// interruptible steps and keeps the first one that must not be cut.
#pragma once

#include <cstdint>
#include <memory>

#include "ActionContainer.h"
#include "OMSR.h"
#include "OMTask.h"

class RQueue : public ActionContainer {
public:
    // A repeat count of 0 becomes 1; -1 runs for ever.
    RQueue(std::int32_t repeat, std::int32_t isInterruptibleFlag);
    ~RQueue() override;

    void registerProperties() override;
    void halt() override;
    // 1 when every child is interruptible; the queue's own flag is not consulted.
    std::int32_t isInterruptible() override;
    void pause() override;
    void resume() override;
    void start() override;
    // Only the finish of the running child (the one at the cursor) of an active queue moves it on.
    void childFinished() override;
    // When the running child goes, its successor runs next; otherwise the cursor stays on the running child.
    void removeAction(Action* action) override;

    std::int32_t passesDone = 0;
    std::int32_t repeatCount;
    // The child that runs now, or past the end.
    OMListLocator<Action> cursor;

    static OMSR classRecord;

private:
    bool runningChildFinished();
    // The cursor moved on to a child that has not been started.
    void moveOn();
    void runFromCursor();
    bool nextPass();
    void holdPassBack();
    void passDue();
    void clearVerb();
    void setRepeatText(OMArg text);
    void getRepeatText(OMArg buffer);

    // This queue's runFromCursor calls in progress.
    std::int32_t startLoops = 0;
    // Set when the child at the cursor has not been started yet: the queue's innermost run starts it.
    bool childDue = false;
    // Set while halt walks the children.
    bool halting = false;
    // Set while the next pass is held back to the next main-loop pass (the cursor is then past the end).
    std::unique_ptr<OMTask> heldPass;
    // The main-loop pass (taskPassesBegun) in which the next pass was held back.
    std::uint32_t heldInPass = 0;
};
