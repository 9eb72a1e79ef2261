// The puzzle's road of a click: answers and containers added and removed, pick-up, drag highlighting,
// the judging of a drop and its events, and the script class "RPuzzle".
#include "RPuzzle.h"

#include <cstdint>

#include "DataProperties.h"
#include "DispatchScope.h"
#include "OMAnimation.h"
#include "OMFontCache.h"
#include "OMSParameter.h"
#include "OMTrinket.h"
#include "RAnswer.h"
#include "RContainer.h"
#include "RText.h"
#include "YDeathInterest.h"

namespace {

OMScriptableObject* makePuzzle() { return new RPuzzle; }

template <class T>
bool every(const OMList<T>& list, bool (*test)(T&)) {
    for (OMListElement<T>* n = list.head; n; n = n->next)
        if (!test(*n->element)) return false;
    return true;
}

}  // namespace

OMSR RPuzzle::classRecord{"RPuzzle", makePuzzle};
std::int32_t RPuzzle::dispatchDepth = 0;

OMList<RPuzzle>& RPuzzle::destroyedDuringDispatch() {
    static OMList<RPuzzle> destroyed;
    return destroyed;
}

void RPuzzle::setDeathHook(const OMLink* link) { puzzleDeathHook().set(link); }
OMLink* RPuzzle::getDeathHook() { return puzzleDeathHook().link(); }

RPuzzle::RPuzzle() = default;

RPuzzle::~RPuzzle() {
    if (textFont) releaseFont(textFont);
    graphics.clear();
    while (answers.head) detachAnswer(answers.remove(answers.head->element));
    for (OMListElement<RContainer>* n = containers.head; n; n = n->next) unregisterDeathInterest(n->element, this);
    containers.clear(false);
    texts.clear();
    if (dispatchDepth > 0) destroyedDuringDispatch().append(this);
    puzzleDeathHook().notify(this);
}

// An answer or a container added again keeps its one entry, which its death takes off.
void RPuzzle::addAnswer(RAnswer* answer) {
    if (!answers.contains(answer)) answers.append(answer);
    const OMLinkToObj<RPuzzle> dropped(this, nullptr, &RPuzzle::answerDropped);
    const OMLinkToObj<RPuzzle> dragged(this, nullptr, &RPuzzle::answerDragged, reinterpret_cast<OMArg>(answer));
    const OMLinkToObj<RPuzzle> picked(this, nullptr, &RPuzzle::answerPickedUp);
    answer->setDropLink(&dropped);
    replaceLink(answer->dragLink, &dragged);
    answer->setPickUpLink(&picked);
    const OMLinkToObj<RPuzzle> died(this, nullptr, &RPuzzle::answerDied);
    registerDeathInterest(answer, this, &died);
}

void RPuzzle::detachAnswer(RAnswer* answer) {
    answer->setDropLink(nullptr);
    replaceLink(answer->dragLink, nullptr);
    answer->setPickUpLink(nullptr);
    unregisterDeathInterest(answer, this);
}

void RPuzzle::removeAnswer(RAnswer* answer) {
    if (!answers.remove(answer)) return;
    if (RContainer* holder = answer->container()) holder->removeAnswer(answer);
    detachAnswer(answer);
}

void RPuzzle::addContainer(RContainer* container) {
    if (!containers.contains(container)) containers.append(container);
    container->lockCorrectAnswers = lockCorrectAnswers;
    container->rejectIncorrectAnswers = rejectIncorrectAnswers;
    const OMLinkToObj<RPuzzle> died(this, nullptr, &RPuzzle::containerDied);
    registerDeathInterest(container, this, &died);
}

void RPuzzle::removeContainer(RContainer* container) {
    if (!containers.remove(container)) return;
    unregisterDeathInterest(container, this);
    if (highlighted == container) highlighted = nullptr;
}

// The dying answer is only compared by address: its own parts are already gone.
void RPuzzle::answerDied(OMArg dying) {
    auto* answer = reinterpret_cast<RAnswer*>(dying);
    answers.remove(answer);
    for (OMListElement<RContainer>* n = containers.head; n; n = n->next)
        if (n->element->answers.contains(answer)) n->element->removeAnswer(answer);
}

void RPuzzle::containerDied(OMArg dying) {
    auto* container = reinterpret_cast<RContainer*>(dying);
    containers.remove(container);
    if (highlighted == container) highlighted = nullptr;
}

RContainer* RPuzzle::bestContainer(RAnswer* answer) {
    RContainer* best = nullptr;
    std::int32_t bestScore = 0;
    for (OMListElement<RContainer>* n = containers.head; n; n = n->next) {
        std::int32_t score = 0;
        if (n->element->hitScore(answer, score) && score > bestScore) {
            best = n->element;
            bestScore = score;
        }
    }
    return best;
}

bool RPuzzle::allUsed() const {
    return every<RAnswer>(answers, [](RAnswer& a) { return a.container() != nullptr; });
}
bool RPuzzle::allFull() const {
    return every<RContainer>(containers, [](RContainer& c) { return c.isFull() != 0; });
}
bool RPuzzle::allSolved() const {
    return every<RContainer>(containers, [](RContainer& c) { return c.isSolved() != 0; });
}

// Runs inside the answer's pick-up, whose dispatch keeps a handler's destruction of the answer in view.
void RPuzzle::answerPickedUp(OMArg picked) {
    auto* answer = reinterpret_cast<RAnswer*>(picked);
    highlighted = answer->container();
    if (!highlighted) return;
    highlighted->removeAnswer(answer);
    if (!RAnswer::wasDestroyed(answer)) answer->setContainer(nullptr);
}

// A handler of either event may delete the new container or the puzzle: neither is touched after.
void RPuzzle::answerDragged(OMArg dragged) {
    RContainer* best = bestContainer(reinterpret_cast<RAnswer*>(dragged));
    if (best == highlighted) return;
    const DispatchScope<RPuzzle> puzzleScope;
    const DispatchScope<RContainer> containerScope;
    if (highlighted) highlighted->fireAnswerFlyOff();
    if (best && !RContainer::wasDestroyed(best)) best->fireAnswerFlyOn();
    if (!wasDestroyed()) highlighted = RContainer::wasDestroyed(best) ? nullptr : best;
}

// The answer's events may have a handler destroy the answer, the container or the puzzle.
void RPuzzle::placeAnswer(RAnswer* answer, RContainer* container) {
    const DispatchScope<RPuzzle> puzzleScope;
    const DispatchScope<RAnswer> answerScope;
    const DispatchScope<RContainer> containerScope;
    answer->setContainer(container);
    if (RAnswer::wasDestroyed(answer)) return;
    if (RContainer::wasDestroyed(container)) return answer->leave(container);
    if (!wasDestroyed()) container->acceptAnswer(answer);
}

// Once a handler has destroyed the puzzle nothing further is raised on it.
void RPuzzle::answerDropped(OMArg dropped) {
    auto* answer = reinterpret_cast<RAnswer*>(dropped);
    RContainer* winner = bestContainer(answer);
    if (!winner) {
        answer->goHome();
        signalEvent(allSolved() ? "puzzleSolved" : "overflow");
        return;
    }
    const DispatchScope<RPuzzle> scope;
    placeAnswer(answer, winner);
    bool wrong = false;
    if (!wasDestroyed() && allFull()) {
        signalEvent("containersFull");
        wrong = true;
    }
    if (!wasDestroyed() && allUsed()) {
        signalEvent("answersUsed");
        wrong = true;
    }
    if (!wasDestroyed()) {
        if (allSolved()) {
            signalEvent("puzzleSolved");
        } else if (wrong) {
            signalEvent("puzzleWrong");
        }
    }
}

// The container's and the answer's events may have a handler drop the answer: it is not touched after.
void RPuzzle::unplace(RAnswer* answer) {
    const DispatchScope<RAnswer> scope;
    answer->container()->removeAnswer(answer);
    if (RAnswer::wasDestroyed(answer)) return;
    answer->setContainer(nullptr);
    if (!RAnswer::wasDestroyed(answer)) answer->goHome();
}

void RPuzzle::registerProperties() {
    const DataProperty<RPuzzle> table[] = {{"areAnswersUsed", nullptr, &RPuzzle::getAnswersUsed},
                                           {"areContainersFull", nullptr, &RPuzzle::getContainersFull},
                                           {"puzzleTextColorIndex", &RPuzzle::setTextColor, &RPuzzle::getTextColor},
                                           {"scrambleAnswers", &RPuzzle::setScramble, &RPuzzle::getScramble},
                                           {"isSolved", nullptr, &RPuzzle::getIsSolved},
                                           {"lockCorrectAnswers", &RPuzzle::setLock, &RPuzzle::getLock},
                                           {"rejectIncorrectAnswers", &RPuzzle::setReject, &RPuzzle::getReject}};
    addDataProperties(this, table);
    const std::pair<const char*, void (RPuzzle::*)()> verbs[] = {
        {"addAnswer", &RPuzzle::addAnswerVerb},
        {"addAnswerToContainer", &RPuzzle::addAnswerToContainerVerb},
        {"addContainer", &RPuzzle::addContainerVerb},
        {"anchorAnswers", &RPuzzle::anchorAnswersVerb},
        {"removeAnswer", &RPuzzle::removeAnswerVerb},
        {"removeAnswerFromContainer", &RPuzzle::removeAnswerFromContainerVerb},
        {"removeContainer", &RPuzzle::removeContainerVerb},
        {"reset", &RPuzzle::resetVerb},
        {"play", &RPuzzle::start},
        {"setAnswer", &RPuzzle::setAnswerVerb},
        {"setContainer", &RPuzzle::setContainerVerb},
        {"setPuzzleText", &RPuzzle::setPuzzleTextVerb},
        {"setPuzzleTextFont", &RPuzzle::setPuzzleTextFontVerb},
        {"setPuzzleGraphic", &RPuzzle::setPuzzleGraphicVerb},
        {"shiftAnswers", &RPuzzle::shiftAnswersVerb},
        {"shiftContainers", &RPuzzle::shiftContainersVerb},
        {"start", &RPuzzle::start},
        {"unanchorAnswers", &RPuzzle::unanchorAnswersVerb}};
    for (const auto& [name, verb] : verbs) {
        const OMLinkToObj<RPuzzle> link(this, verb);
        addMethodProperty(name, &link);
    }
    for (const char* event : {"answersUsed", "containersFull", "puzzleSolved", "puzzleWrong", "overflow"})
        addEventProperty(event);
}

void RPuzzle::getAnswersUsed(OMArg buffer) { writeInteger(buffer, allUsed() ? 1 : 0); }
void RPuzzle::getContainersFull(OMArg buffer) { writeInteger(buffer, allFull() ? 1 : 0); }
void RPuzzle::getIsSolved(OMArg buffer) { writeInteger(buffer, allSolved() ? 1 : 0); }
void RPuzzle::setTextColor(OMArg text) { puzzleTextColorIndex = static_cast<std::int16_t>(integerOf(text)); }
void RPuzzle::getTextColor(OMArg buffer) { writeInteger(buffer, puzzleTextColorIndex); }
void RPuzzle::setScramble(OMArg text) { scrambleAnswers = integerOf(text); }
void RPuzzle::getScramble(OMArg buffer) { writeInteger(buffer, scrambleAnswers); }
void RPuzzle::setLock(OMArg text) { lockCorrectAnswers = integerOf(text); }
void RPuzzle::getLock(OMArg buffer) { writeInteger(buffer, lockCorrectAnswers); }
void RPuzzle::setReject(OMArg text) { rejectIncorrectAnswers = integerOf(text); }
void RPuzzle::getReject(OMArg buffer) { writeInteger(buffer, rejectIncorrectAnswers); }
