// Tasks, the task-list order and one pass over the list.
#include "OMTask.h"

#include "OMGlobals.h"

namespace {

std::uint32_t passesBegun = 0;

std::int32_t runUnsuspended(OMTask* task) {
    if (!task->suspended) task->run();
    return 0;
}

}  // namespace

OMTask::OMTask(const OMLink* link, std::uint32_t taskPriority) : priority(taskPriority) { setLink(link); }

OMTask::~OMTask() {
    if (OMList<OMTask>* tasks = appTaskList()) tasks->remove(this);
    delete link_;
}

void OMTask::run() {
    if (link_) link_->invoke();
}

void OMTask::setLink(const OMLink* link) { replaceLink(link_, link); }

void OMTask::setPriority(std::uint32_t taskPriority) {
    priority = taskPriority;
    OMList<OMTask>* tasks = appTaskList();
    if (tasks && tasks->remove(this)) tasks->append(this);
}

std::int32_t compareTaskPriority(OMTask* e, OMTask* x) { return e->priority <= x->priority ? 1 : 0; }

void setAppTaskList(OMList<OMTask>* tasks) { omGlobals().tasks = tasks; }

OMList<OMTask>* appTaskList() { return omGlobals().tasks; }

void appendTask(OMTask* task) {
    OMList<OMTask>* tasks = appTaskList();
    if (!tasks || !task) return;
    tasks->remove(task);
    tasks->append(task);
}

void runTaskSlices(OMList<OMTask>& tasks) {
    ++passesBegun;
    OMListCallbackBlock<OMTask> block;
    block.function = runUnsuspended;
    tasks.forEach(2, block, 0);
}

std::uint32_t taskPassesBegun() { return passesBegun; }
