// Time-slice tasks and the application's task list: every unsuspended task runs once per main-loop pass.
#pragma once

#include <cstdint>

#include "OMLink.h"

// A unit of cooperative work: its link is invoked once per pass while `suspended` is 0. A task is not
// put into the application's list by its constructor; its owner does that (appendTask) and deletes it.
class OMTask {
public:
    OMTask(const OMLink* link, std::uint32_t taskPriority);
    OMTask(const OMTask&) = delete;
    OMTask& operator=(const OMTask&) = delete;
    // Leaves the application's list (the first entry holding it) and frees the link.
    virtual ~OMTask();

    virtual void run();
    // Stores a clone of link (null for none) in place of the one held so far.
    void setLink(const OMLink* link);
    OMLink* link() const { return link_; }
    // Moves a task that is in the application's list to its new sorted place.
    void setPriority(std::uint32_t taskPriority);

    // Lower values run earlier in each pass.
    std::uint32_t priority;
    std::int32_t suspended = 0;

private:
    OMLink* link_ = nullptr;
};

// The order of the task list: 1 when e's priority is at most x's, so equal priorities keep their order.
std::int32_t compareTaskPriority(OMTask* e, OMTask* x);

// The list of the application object (null while there is none); its owner sets it for its lifetime.
void setAppTaskList(OMList<OMTask>* tasks);
OMList<OMTask>* appTaskList();

// How an owner starts a task: out of the application's list, then back in at its sorted place, so that
// the task is never in the list twice.
void appendTask(OMTask* task);

// One pass of the main loop over a task list: each task whose `suspended` is 0 runs once, in list
// order. Tasks may delete themselves or others and add new ones during the pass.
void runTaskSlices(OMList<OMTask>& tasks);
// How many passes runTaskSlices has begun, so that a task started during a pass can tell that its slice
// comes in that same pass (a task appended at the tail during the walk is reached in it).
std::uint32_t taskPassesBegun();
