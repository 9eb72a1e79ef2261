// The containers' common part: placing and removing answers, enabling, moving with the placed answers,
// the graphic face and the script properties.
#include "RContainer.h"

#include <cstdlib>

#include "OMAnimation.h"
#include "DataProperties.h"
#include "DispatchScope.h"
#include "OMSParameter.h"
#include "OMTrinketWindow.h"
#include "RAnswer.h"

std::int32_t RContainer::dispatchDepth = 0;
ContainerSoundHook RContainer::soundHook = nullptr;

OMList<RContainer>& RContainer::destroyedDuringDispatch() {
    static OMList<RContainer> destroyed;
    return destroyed;
}

std::int32_t integerProperty(OMScriptableObject& object, const char* name) {
    const char* text = object.getProperty(name);
    return text ? std::atoi(text) : 0;
}

OMAnimation* makeGraphic(std::int16_t id, std::int32_t x, std::int32_t y, OMTrinketWindow* owner) {
    OMIStream* stream = OMAnimation::animationHook ? OMAnimation::animationHook(id) : nullptr;
    return stream ? new OMAnimation(owner, stream, x, y) : nullptr;
}

RContainer::RContainer(std::int32_t zGiven, OMTrinketWindow* owner) : OMMultiTrinket(owner, kRedrawRegion) {
    setZ(zGiven);
    setMovable(0);
    setTouchy(0);
}

// The placed answers forget the container, which they would otherwise still call.
RContainer::~RContainer() {
    for (OMListElement<RAnswer>* n = answers.head; n; n = n->next) n->element->leave(this);
    answers.clear(false);
    if (dispatchDepth > 0) destroyedDuringDispatch().append(this);
}

void RContainer::raiseEvent(const char* event) {
    const DispatchScope<RContainer> scope;
    signalEvent(event);
}

void RContainer::acceptAnswer(RAnswer* answer) {
    answers.append(answer);
    raiseEvent("answerPlaced");
}

void RContainer::removeAnswer(RAnswer* answer) {
    answers.remove(answer);
    raiseEvent("answerRemoved");
}

void RContainer::disable() {
    enabled = 0;
    for (OMListElement<RAnswer>* n = answers.head; n; n = n->next) n->element->anchor();
}

void RContainer::enable() {
    enabled = 1;
    for (OMListElement<RAnswer>* n = answers.head; n; n = n->next) n->element->unanchor();
}

void RContainer::offsetBy(std::int32_t& dx, std::int32_t& dy) {
    OMMultiTrinket::offsetBy(dx, dy);
    for (OMListElement<RAnswer>* n = answers.head; n; n = n->next) {
        std::int32_t answerDx = dx;
        std::int32_t answerDy = dy;
        n->element->offsetBy(answerDx, answerDy);
    }
}

std::int32_t RContainer::hitArea(RAnswer& answer) const {
    const OMRect common = bounds & answer.effectiveRect();
    if (common == kEmptyRect) return 0;
    return (common.right - common.left) * (common.bottom - common.top);
}

void RContainer::addGraphic(std::int16_t id, std::int32_t x, std::int32_t y) {
    if (OMAnimation* picture = makeGraphic(id, x, y, window)) addTrinket(picture, 0, 1, 1);
}

OMAnimation* RContainer::graphic() const { return dynamic_cast<OMAnimation*>(getTrinket(1)); }

void RContainer::setEnabledText(OMArg text) {
    if (integerOf(text) == 0) return disable();
    enable();
}

void RContainer::setHighlightedText(OMArg text) {
    highlighted = integerOf(text);
    if (OMAnimation* picture = graphic()) picture->setFramePosition(highlighted ? 2 : 1, true);
}

void RContainer::playAnimationVerb() {
    if (OMAnimation* picture = graphic()) {
        picture->setRepeatCount(-1);
        picture->play();
    }
}

void RContainer::stopAnimationVerb() {
    if (OMAnimation* picture = graphic()) picture->pause();
}

void RContainer::registerProperties() {
    OMMultiTrinket::registerProperties();
    const DataProperty<RContainer> table[] = {{"answerCount", nullptr, &RContainer::getAnswerCount},
                 {"enabled", &RContainer::setEnabledText, &RContainer::getEnabledText},
                 {"isFull", nullptr, &RContainer::getIsFull},
                 {"isSolved", nullptr, &RContainer::getIsSolved},
                 {"lockCorrectAnswers", &RContainer::setLock, &RContainer::getLock},
                 {"rejectIncorrectAnswers", &RContainer::setReject, &RContainer::getReject}};
    addDataProperties(this, table);
    for (const char* event : {"answerFlyOff", "answerFlyOn", "answerPlaced", "answerRemoved"}) addEventProperty(event);
}

void RContainer::registerGraphicFace() {
    const OMLinkToObj<RContainer> set(this, nullptr, &RContainer::setHighlightedText);
    const OMLinkToObj<RContainer> get(this, nullptr, &RContainer::getHighlightedText);
    addDataProperty("highlighted", &set, &get);
    const OMLinkToObj<RContainer> play(this, &RContainer::playAnimationVerb);
    const OMLinkToObj<RContainer> stop(this, &RContainer::stopAnimationVerb);
    addMethodProperty("playAnimation", &play);
    addMethodProperty("stopAnimation", &stop);
}
