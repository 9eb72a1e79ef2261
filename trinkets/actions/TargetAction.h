// The base of the steps that act on a script object they do not own: the target pointer, cleared through
// the death registry when the object dies, or found gone among the live objects.
// Starting performs the step and finishes; halting performs it, unless the step is being performed now (a
// verb that halts the container holding this step halts the step too).
#pragma once

#include <cstdint>

#include "Action.h"

class TargetAction : public Action {
public:
    TargetAction(OMScriptableObject* object, std::int32_t isInterruptibleFlag);
    ~TargetAction() override;

    void halt() override;
    void start() override;

    OMScriptableObject* target;

protected:
    // Acts on the target, which is there.
    virtual void perform() = 0;

private:
    const std::uint32_t targetSerial;
    // Set while the step is performed.
    bool performing = false;

    // Performs the step once unless it is being performed already; false when the step was destroyed.
    bool performIfTargeted();
    // Whether the target is still there; a target found gone is forgotten.
    bool targetPresent();
    void targetDestroyed(OMArg) { target = nullptr; }
};
