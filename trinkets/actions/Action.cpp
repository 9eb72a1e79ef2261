// Actions: flags, the finished listener, finishing with the deletion guard and the script face.
#include "Action.h"

#include "OMScriptableObjectProperty.h"
#include "OMTrinket.h"
#include "YDeathInterest.h"

std::int32_t Action::finishNesting = 0;

void Action::setDeathHook(const OMLink* link) { actionDeathHook().set(link); }

Action::Action(std::int32_t isInterruptibleFlag) : interruptible(isInterruptibleFlag) {}

Action::~Action() {
    actionDeathHook().notify(this);
    delete listener_;
    for (ActionDeathWatch* w = innermostWatch_; w; w = w->outer_) w->watched_ = nullptr;
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

ActionDeathWatch::ActionDeathWatch(Action* watched) : watched_(watched), outer_(watched->innermostWatch_) {
    watched->innermostWatch_ = this;
    ++Action::finishNesting;
}

ActionDeathWatch::~ActionDeathWatch() {
    if (watched_) watched_->innermostWatch_ = outer_;
    --Action::finishNesting;
}
