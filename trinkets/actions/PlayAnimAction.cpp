// Steps that play an animation they do not own: its end of play borrowed while the step runs.
#include "PlayAnimAction.h"

#include "ActionFactory.h"
#include "RAnimation.h"
#include "YDeathInterest.h"

PlayAnimAction::PlayAnimAction(RAnimation* played, std::int32_t isInterruptibleFlag)
    : Action(isInterruptibleFlag), animation(played) {
    const OMLinkToObj<PlayAnimAction> gone(this, nullptr, &PlayAnimAction::animationDestroyed);
    registerDeathInterest(animation, this, &gone);
}

PlayAnimAction::~PlayAnimAction() {
    if (isActive()) halt();
    if (animation) unregisterDeathInterest(animation, this);
}

void PlayAnimAction::start() {
    Action::start();
    if (!animation) return actionFinished();
    animation->waitSoundsAtEnd = false;
    const OMLinkToObj<PlayAnimAction> ended(this, &PlayAnimAction::animationEnded);
    animation->setEndLink(&ended);
    animation->play();
}

void PlayAnimAction::animationEnded() {
    releaseEnd();
    actionFinished();
}

void PlayAnimAction::halt() {
    Action::halt();
    if (!animation) return;
    releaseEnd();
    animation->pause();
}

void PlayAnimAction::releaseEnd() {
    animation->setEndLink(nullptr);
    animation->waitSoundsAtEnd = false;
}

void PlayAnimAction::pause() {
    if (animation) animation->suspend();
}

void PlayAnimAction::resume() {
    if (animation) animation->resume();
}

Action* createPlayAnimAction(std::int32_t defaultInterruptible) {
    const std::vector<std::string> t = popTokens(2);
    auto* played = dynamic_cast<RAnimation*>(tokenObject(t[0]));
    if (!played) return nullptr;
    return new PlayAnimAction(played, t[1].empty() ? defaultInterruptible : tokenNumber(t[1]));
}
