// The base of the action containers: children in the order added, which of them the container owns, and
// the verb "add" that takes an action from a script variable or creates one through the factory.
#pragma once

#include <cstdint>
#include <functional>

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

    // Takes the child in and becomes its finished listener, unless accepts() refuses it.
    void addAction(Action* action) { addAction(action, 0); }
    void addAction(Action* action, std::int32_t owned);
    virtual void childAdded(Action*) {}
    // Takes the child out of children and lets it go (deleting it when owned).
    virtual void removeAction(Action* action);
    // Called through each child's finished listener, without saying which child finished.
    virtual void childFinished() = 0;
    // Lets every child go, one at a time through removeAction.
    void clearActions();

    OMList<Action> children;
    OMList<ActionInfoRecord> childInfos;

protected:
    // 1 when every child reports isInterruptible() (1 without children).
    std::int32_t allChildrenInterruptible();
    // Calls visit with each child in the order of children, skipping those that left meanwhile; false when
    // a call destroyed the container, which nothing may touch then.
    bool eachChild(const std::function<void(Action*)>& visit);

private:
    // Null, a child already held (one child never has two entries, one of them left dangling when it dies)
    // and an action that holds this container at any depth, the container itself included (the two would
    // call each other for ever) are refused.
    bool accepts(const Action* action) const;
    void release(ActionInfoRecord* record);
    void childDestroyed(OMArg dying) { removeAction(reinterpret_cast<Action*>(dying)); }
    void addVerb();
    void getActionCount(OMArg buffer);
    void getActiveText(OMArg buffer);
};
