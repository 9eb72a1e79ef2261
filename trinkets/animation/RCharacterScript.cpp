// The script face of the character: the class "RCharacter", its data properties, verbs and the event
// "finished".
#include <cstdlib>
#include <string>

#include "OMAnimation.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMTrinketWindow.h"
#include "RCharacter.h"

namespace {

// Arguments: settlePoseId, x, y, [z = 0]; or settlePoseId, z with the pose placed by its data.
OMScriptableObject* makeCharacter() {
    const std::string poseId = popParameter();
    const std::string second = popParameter();
    const std::string third = popParameter();
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window) return nullptr;
    const auto pose = static_cast<std::int16_t>(std::atoi(poseId.c_str()));
    if (third.empty()) {
        return new RCharacter(pose, OMAnimation::kAtPlacement, OMAnimation::kAtPlacement, std::atoi(second.c_str()), window);
    }
    return new RCharacter(pose, std::atoi(second.c_str()), std::atoi(third.c_str()), std::atoi(popParameter()), window);
}

// The next parameter as an integer, or `absent` when it is not given.
std::int32_t popInteger(std::int32_t absent) {
    const char* text = popParameter();
    return *text ? std::atoi(text) : absent;
}

std::int16_t popId() { return static_cast<std::int16_t>(std::atoi(popParameter())); }

}  // namespace

OMSR RCharacter::classRecord{"RCharacter", makeCharacter};

void RCharacter::registerProperties() {
    OMMultiTrinket::registerProperties();
    const auto data = [this](const char* name, void (RCharacter::*setter)(OMArg), void (RCharacter::*getter)(OMArg)) {
        const OMLinkToObj<RCharacter> set(this, nullptr, setter), get(this, nullptr, getter);
        addDataProperty(name, &set, &get);
    };
    data("animateSettled", &RCharacter::setAnimateSettled, &RCharacter::getAnimateSettled);
    data("enabled", &RCharacter::setEnabled, &RCharacter::getEnabled);
    data("settlePoseID", &RCharacter::setSettlePoseID, &RCharacter::getSettlePoseID);
    const auto verb = [this](const char* name, void (RCharacter::*method)()) {
        const OMLinkToObj<RCharacter> link(this, method);
        addMethodProperty(name, &link);
    };
    verb("addFidget", &RCharacter::addFidgetVerb);
    verb("addFidgetGroup", &RCharacter::addFidgetGroupVerb);
    verb("addSpeechAnim", &RCharacter::addSpeechAnimVerb);
    verb("pause", &RCharacter::pauseVerb);
    verb("playAnim", &RCharacter::playAnimVerb);
    verb("playSpeech", &RCharacter::playSpeechVerb);
    verb("removeFidgetGroup", &RCharacter::removeFidgetGroupVerb);
    verb("resume", &RCharacter::resumeVerb);
    verb("setAOCursor", &RCharacter::setAOCursorVerb);
    verb("stop", &RCharacter::stopVerb);
    addEventProperty("finished");
}

void RCharacter::addFidgetVerb() {
    const std::int32_t groupId = popInteger(0);
    const std::int16_t animationId = popId();
    addFidget(groupId, animationId, popInteger(1));
}

void RCharacter::addFidgetGroupVerb() {
    const std::int32_t groupId = popInteger(0);
    const std::int32_t minSeconds = popInteger(0);
    const std::int32_t maxSeconds = popInteger(0);
    addFidgetGroup(groupId, minSeconds, maxSeconds, popInteger(1));
}

void RCharacter::addSpeechAnimVerb() { addSpeechAnim(popId()); }

void RCharacter::playAnimVerb() {
    const std::int16_t animationId = popId();
    const std::int32_t repeatCount = popInteger(1);
    playAnim(animationId, nullptr, repeatCount, popInteger(1));
}

void RCharacter::playSpeechVerb() {
    const std::int16_t soundId = popId();
    const std::int32_t stay = popInteger(1);
    playSpeech(soundId, nullptr, stay, popInteger(0));
}

void RCharacter::removeFidgetGroupVerb() { removeFidgetGroup(popInteger(0)); }

// No cursor look-up is installed for characters: the ids are read and the hover test runs again.
void RCharacter::setAOCursorVerb() {
    static_cast<void>(popParameter());
    static_cast<void>(popParameter());
    refreshHover();
}

void RCharacter::getAnimateSettled(OMArg buffer) { writeInteger(buffer, animateSettled); }

void RCharacter::setAnimateSettled(OMArg text) {
    animateSettled = integerOf(text);
    OMAnimation* settle = pose();
    if (!settle) return;
    if (animateSettled) {
        settle->play();
    } else {
        settle->setFramePosition(1, false);
    }
}

void RCharacter::getEnabled(OMArg buffer) { writeInteger(buffer, isTouchy()); }
void RCharacter::setEnabled(OMArg text) { setTouchy(integerOf(text)); }
void RCharacter::getSettlePoseID(OMArg buffer) { writeInteger(buffer, settlePoseId); }

// The new pose takes the old one's visibility (the character's when there was none).
void RCharacter::setSettlePoseID(OMArg text) {
    const auto id = static_cast<std::int16_t>(integerOf(text));
    if (OMAnimation* settle = createPose(id, OMAnimation::kAtPlacement, OMAnimation::kAtPlacement)) {
        const OMAnimation* old = pose();
        const std::int32_t shown = old ? old->visible : isVisible();
        removeTrinket(kPoseId);
        addTrinket(settle, 0, kPoseId, 1);
        settle->setVisible(shown);
    }
    settlePoseId = id;
}
