// Actions: flags, the finished listener, finishing with the deletion guard and the script face.
#include "Action.h"

#include "OMScriptableObjectProperty.h"
#include "OMTrinket.h"
#include "YDeathInterest.h"

std::int32_t Action::finishNesting = 0;

OMList<Action>& Action::actionDeleteList() {
    static OMList<Action> destroyed;
    return destroyed;
}

void Action::setDeathHook(const OMLink* link) { actionDeathHook().set(link); }

Action::Action(std::int32_t isInterruptibleFlag) : interruptible(isInterruptibleFlag) {}

Action::~Action() {
    actionDeathHook().notify(this);
    delete listener_;
    if (finishNesting > 0) actionDeleteList().append(this);
}

void Action::setFinishedListener(const OMLink* link) { replaceLink(listener_, link); }

void Action::actionFinished() {
    active = 0;
    const ActionDeathWatch watch(this);
    if (listener_) listener_->invoke();
    if (!watch.destroyed()) signalEvent("finished");
}

void Action::registerProperties() {
    const OMLinkToFct ignored(readOnlySetter);
    const OMLinkToObj<Action> interruptibleText(this, nullptr, &Action::getInterruptibleText);
    addDataProperty("isInterruptible", &ignored, &interruptibleText);
    const OMLinkToObj<Action> haltVerb(this, &Action::halt), pauseVerb(this, &Action::pause);
    const OMLinkToObj<Action> resumeVerb(this, &Action::resume), startVerb(this, &Action::start);
    addMethodProperty("halt", &haltVerb);
    addMethodProperty("pause", &pauseVerb);
    addMethodProperty("resume", &resumeVerb);
    addMethodProperty("start", &startVerb);
    addEventProperty("finished");
}

void Action::getInterruptibleText(OMArg buffer) { writeInteger(buffer, isInterruptible()); }

ActionDeathWatch::ActionDeathWatch(const Action* watched) : watched_(watched), listedBefore_(timesListed()) {
    ++Action::finishNesting;
}

ActionDeathWatch::~ActionDeathWatch() {
    if (--Action::finishNesting == 0) Action::actionDeleteList().clear(false);
}

std::int32_t ActionDeathWatch::timesListed() const {
    std::int32_t times = 0;
    for (OMListElement<Action>* n = Action::actionDeleteList().head; n; n = n->next) times += n->element == watched_;
    return times;
}
