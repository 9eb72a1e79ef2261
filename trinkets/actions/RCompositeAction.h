// "RCompositeAction": runs all its children at once and finishes when every one of them is done.
#pragma once

#include <cstdint>

#include "ActionContainer.h"
#include "OMSR.h"

class RCompositeAction : public ActionContainer {
public:
    explicit RCompositeAction(std::int32_t isInterruptibleFlag) : ActionContainer(isInterruptibleFlag) {}
    ~RCompositeAction() override;

    // Halts the interruptible children; the non-interruptible ones run on and finish the composite.
    void halt() override;
    // 1 when every child is interruptible.
    std::int32_t isInterruptible() override;
    void pause() override;
    void resume() override;
    void start() override;
    // An active composite counts the finish; the last one finishes it.
    void childFinished() override;
    // The remaining children are counted again: a child that leaves may have been counted.
    void removeAction(Action* action) override;

    // Children done in the current run; -1 before the first start.
    std::int32_t finishedCount = -1;

    static OMSR classRecord;

private:
    // The children that have been started in this run and are no longer active.
    std::int32_t childrenDone();

    // The children that start has not reached yet: they are not running, but not done either.
    OMList<Action> notStarted;
};
