// A step that does nothing and finishes inside its start.
#pragma once

#include "Action.h"

class EmptyAction : public Action {
public:
    using Action::Action;
    void start() override {
        Action::start();
        actionFinished();
    }
};

// "EmptyAction": isInterruptible.
Action* createEmptyAction(std::int32_t defaultInterruptible);
