// The base of every timed step that scripts chain: the two flags, the finished listener, the event
// "finished", the class-wide death hook and the guard for actions destroyed while their finish is reported.
#pragma once

#include <cstdint>

#include "OMList.h"
#include "OMScriptableObject.h"

class Action : public OMScriptableObject {
public:
    explicit Action(std::int32_t isInterruptibleFlag);
    // Tells the class-wide death hook; a subclass halts an active action in its own destructor first.
    ~Action() override;

    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;

    virtual void halt() { active = 0; }
    virtual std::int32_t isActive() { return active; }
    virtual std::int32_t isInterruptible() { return interruptible; }
    virtual void pause() {}
    virtual void resume() {}
    virtual void start() { active = 1; }

    // Stores a clone of link (null: none), invoked without argument when the action finishes.
    void setFinishedListener(const OMLink* link);
    OMLink* finishedListener() const { return listener_; }
    // The one way an action reports that it is done: the listener first (a container advances there and
    // may destroy this action), then, unless the action was destroyed meanwhile, the event "finished".
    void actionFinished();

    // The hook invoked with every action being destroyed (the death registry's notifier).
    static void setDeathHook(const OMLink* link);

    // Finish notifications in progress, and the addresses of actions destroyed meanwhile (only compared,
    // never dereferenced; emptied when the outermost notification ends).
    static std::int32_t finishNesting;
    static OMList<Action>& actionDeleteList();

protected:
    std::int32_t interruptible;
    std::int32_t active = 0;

private:
    void getInterruptibleText(OMArg buffer);
    OMLink* listener_ = nullptr;
};
