// The base of the action containers: children in the order added, which of them the container owns, and
// the verb "add" that takes an action from a script variable or creates one through the factory.
#pragma once

#include <cstdint>

#include "Action.h"
#include "OMList.h"

struct ActionInfoRecord {
    Action* action;
    // 1: the container deletes the child when it lets it go; 0: the child belongs to someone else.
    std::int32_t owned;
};

class ActionContainer : public Action {
public:
    explicit ActionContainer(std::int32_t isInterruptibleFlag) : Action(isInterruptibleFlag) {}
    ~ActionContainer() override;

    void registerProperties() override;

    // Takes the child in and becomes its finished listener. Null and a child already held are refused,
    // so that one child never has two entries (one of them left dangling when it dies).
    void addAction(Action* action) { addAction(action, 0); }
    void addAction(Action* action, std::int32_t owned);
    virtual void childAdded(Action*) {}
    // Lets the child go (deleting it when owned) and takes it out of children.
    virtual void removeAction(Action* action);
    // Called through each child's finished listener, without saying which child finished.
    virtual void childFinished() = 0;
    // Lets every child go.
    void clearActions();

    OMList<Action> children;
    OMList<ActionInfoRecord> childInfos;

protected:
    // 1 when every child reports isInterruptible() (1 without children).
    std::int32_t allChildrenInterruptible();

private:
    void release(ActionInfoRecord* record);
    void childDestroyed(OMArg dying) { removeAction(reinterpret_cast<Action*>(dying)); }
    void addVerb();
    void getActionCount(OMArg buffer);
    void getActiveText(OMArg buffer);
};
