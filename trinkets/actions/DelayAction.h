// Waiting steps on the millisecond clock: a fixed wait ("DelayAction") and a wait drawn anew at every start
// ("RandomDelayAction"). Paused time does not count.
#pragma once

#include <cstdint>
#include <memory>

#include "Action.h"
#include "OMTask.h"

class DelayAction : public Action {
public:
    DelayAction(std::int32_t delayMs, std::int32_t isInterruptibleFlag);
    ~DelayAction() override;

    void halt() override;
    void pause() override;
    void resume() override;
    // A start while waiting restarts the one wait from now.
    void start() override;

    std::int32_t startTime = 0;
    std::int32_t delay;
    std::int32_t remaining = 0;
    std::unique_ptr<OMTask> task;
    // The task pass during which the wait started (taskPassesBegun).
    std::uint32_t startPass = 0;

protected:
    // How long this start waits.
    virtual std::int32_t waitLength() { return delay; }

private:
    void tick();
};

class RandomDelayAction : public DelayAction {
public:
    RandomDelayAction(std::int32_t lowerMs, std::int32_t upperMs, std::int32_t isInterruptibleFlag);

    std::int32_t upper;
    std::int32_t lower;

protected:
    // rand() % (upper - lower) + lower; lower itself when upper equals lower.
    std::int32_t waitLength() override;
};

// "DelayAction": milliseconds (required), isInterruptible.
Action* createDelayAction(std::int32_t defaultInterruptible);
// "RandomDelayAction": lower, upper (both required), isInterruptible.
Action* createRandomDelayAction(std::int32_t defaultInterruptible);
