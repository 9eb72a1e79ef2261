// The create function of "EmptyAction".
#include "EmptyAction.h"

#include "ActionFactory.h"

Action* createEmptyAction(std::int32_t defaultInterruptible) {
    const std::vector<std::string> t = popTokens(1);
    return new EmptyAction(tokenRun(t) == 1 ? tokenNumber(t[0]) : defaultInterruptible);
}
