// The base of every timed step that scripts chain: the two flags, the finished listener, the event
// "finished", the class-wide death hook and the guard for actions destroyed during a call that may run
// script (a listener, a verb, an event handler).
#pragma once

#include <cstdint>

#include "OMScriptableObject.h"

class ActionDeathWatch;

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

    // Guards in progress, finish notifications among them.
    static std::int32_t finishNesting;

protected:
    std::int32_t interruptible;
    std::int32_t active = 0;

private:
    void getInterruptibleText(OMArg buffer);
    OMLink* listener_ = nullptr;
    // The innermost guard in progress on this action; each guard holds the one it lies within, so that the
    // destructor tells every one of them.
    friend class ActionDeathWatch;
    ActionDeathWatch* innermostWatch_ = nullptr;
};

// Held around a call that may destroy the watched action, which is touched afterwards only when
// destroyed() is false. The action's destructor marks its own guards, so a guard costs the same however
// many actions were destroyed meanwhile, and an action made later at the same address is never taken for
// the watched one.
class ActionDeathWatch {
public:
    explicit ActionDeathWatch(Action* watched);
    ActionDeathWatch(const ActionDeathWatch&) = delete;
    ActionDeathWatch& operator=(const ActionDeathWatch&) = delete;
    ~ActionDeathWatch();

    bool destroyed() const { return watched_ == nullptr; }

private:
    friend class Action;
    // Null once the action is destroyed.
    Action* watched_;
    // The guard on the same action that this one lies within (guards live on the stack, so they end in the
    // reverse order of their start).
    ActionDeathWatch* const outer_;
};
