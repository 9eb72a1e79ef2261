// Action containers: children taken in and let go, and the script verb "add".
#include "ActionContainer.h"

#include <cstdint>
#include <vector>

#include "ActionFactory.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMTrinket.h"
#include "YDeathInterest.h"
#include "YHeap.h"

namespace {

bool holdsAtAnyDepth(const Action* holder, const Action* held) {
    if (holder == held) return true;
    const auto* container = dynamic_cast<const ActionContainer*>(holder);
    if (!container) return false;
    for (OMListElement<Action>* n = container->children.head; n; n = n->next) {
        if (holdsAtAnyDepth(n->element, held)) return true;
    }
    return false;
}

}  // namespace

ActionContainer::~ActionContainer() { clearActions(); }

bool ActionContainer::accepts(const Action* action) const {
    return action && !children.contains(action) && !holdsAtAnyDepth(action, this);
}

void ActionContainer::addAction(Action* action, std::int32_t owned) {
    if (!accepts(action)) return;
    childInfos.append(new ActionInfoRecord{action, owned});
    children.append(action);
    const OMLinkToObj<ActionContainer> finished(this, &ActionContainer::childFinished);
    action->setFinishedListener(&finished);
    childAdded(action);
}

// An unowned child that stays alive no longer reports to this container, which may be gone before the
// child finishes.
void ActionContainer::release(ActionInfoRecord* record) {
    Action* child = record->action;
    const std::int32_t owned = record->owned;
    delete record;
    if (owned) {
        delete child;
        return;
    }
    unregisterDeathInterest(child, this);
    const OMLink* listener = child->finishedListener();
    if (listener && listener->target() == static_cast<void*>(this)) child->setFinishedListener(nullptr);
}

// The child is out of both lists before it is let go: deleting it may run script that uses this container.
void ActionContainer::removeAction(Action* action) {
    children.remove(action);
    for (OMListElement<ActionInfoRecord>* n = childInfos.head; n; n = n->next) {
        if (n->element->action == action) return release(childInfos.remove(n->element));
    }
}

// Whatever runs while a child is deleted finds the lists (and a queue's cursor) consistent, and may delete
// this container too.
void ActionContainer::clearActions() {
    const ActionDeathWatch watch(this);
    while (!watch.destroyed() && children.head) removeAction(children.head->element);
}

std::int32_t ActionContainer::allChildrenInterruptible() {
    for (OMListElement<Action>* n = children.head; n; n = n->next) {
        if (!n->element->isInterruptible()) return 0;
    }
    return 1;
}

// The children are taken before the first call, which may remove any of them or delete this container.
bool ActionContainer::eachChild(const std::function<void(Action*)>& visit) {
    std::vector<Action*> taken;
    for (OMListElement<Action>* n = children.head; n; n = n->next) taken.push_back(n->element);
    const ActionDeathWatch watch(this);
    for (Action* child : taken) {
        if (!children.contains(child)) continue;
        visit(child);
        if (watch.destroyed()) return false;
    }
    return true;
}

void ActionContainer::registerProperties() {
    Action::registerProperties();
    const OMLinkToFct ignored(readOnlySetter);
    const OMLinkToObj<ActionContainer> count(this, nullptr, &ActionContainer::getActionCount);
    const OMLinkToObj<ActionContainer> activeText(this, nullptr, &ActionContainer::getActiveText);
    addDataProperty("actionCount", &ignored, &count);
    addDataProperty("isActive", &ignored, &activeText);
    const OMLinkToObj<ActionContainer> add(this, &ActionContainer::addVerb);
    addMethodProperty("add", &add);
}

// The first token names a script variable holding an action (taken in unowned, and let go when it dies)
// or, when no variable holds an object, a kind of action that the factory creates from the other tokens.
// An object that is not an action is not taken in.
void ActionContainer::addVerb() {
    const char* token = popParameter();
    if (const std::int32_t held = scriptHeap().intValue(token, 0)) {
        auto* action = dynamic_cast<Action*>(reinterpret_cast<OMScriptableObject*>(static_cast<std::intptr_t>(held)));
        if (!accepts(action)) return;
        addAction(action, 0);
        const OMLinkToObj<ActionContainer> gone(this, nullptr, &ActionContainer::childDestroyed);
        registerDeathInterest(action, this, &gone);
        return;
    }
    if (Action* created = createActionByName(token, interruptible)) addAction(created, 1);
}

void ActionContainer::getActionCount(OMArg buffer) { writeInteger(buffer, children.count); }
void ActionContainer::getActiveText(OMArg buffer) { writeInteger(buffer, isActive()); }
