// Script animations: the class "RAnimation", the frame notification and the script face.
#include "RAnimation.h"

#include <algorithm>
#include <cstdlib>

#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMTBackground.h"
#include "OMTrinketWindow.h"
#include "YDeathInterest.h"

RAnimation::CursorHook RAnimation::cursorHook = nullptr;
OMCursor* RAnimation::defaultCursor = nullptr;
OMCursor* RAnimation::defaultDownCursor = nullptr;
std::int32_t RAnimation::notifyDepth = 0;
std::vector<const RAnimation*> RAnimation::destroyedInNotify;

namespace {

// Arguments: id alone (placed by its data), or x, y, id.
OMScriptableObject* makeScriptAnimation() {
    const std::string a = popParameter();
    const std::string b = popParameter();
    const std::string c = popParameter();
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!OMAnimation::animationHook || !window) return nullptr;
    const bool placed = b.empty();
    const auto id = static_cast<std::int16_t>(std::atoi((placed ? a : c).c_str()));
    OMIStream* stream = OMAnimation::animationHook(id);
    if (!stream) return nullptr;
    const std::int32_t x = placed ? OMAnimation::kAtPlacement : std::atoi(a.c_str());
    const std::int32_t y = placed ? OMAnimation::kAtPlacement : std::atoi(b.c_str());
    auto* animation = new RAnimation(window, stream, x, y);
    animation->loadSounds(-1);
    return animation;
}

}  // namespace

OMSR RAnimation::classRecord{"RAnimation", makeScriptAnimation};

RAnimation::RAnimation(OMTrinketWindow* owner, OMIStream* stream, std::int32_t x, std::int32_t y)
    : OMAnimation(owner, stream, x, y) {
    setUp();
}

RAnimation::RAnimation(OMTrinketWindow* owner, OMRes* resource, std::int32_t x, std::int32_t y)
    : OMAnimation(owner, resource, x, y) {
    setUp();
}

// The copied entry link would notify the original: the copy starts without notification.
RAnimation::RAnimation(const RAnimation& other) : OMAnimation(other) { setUp(); }

void RAnimation::setUp() {
    setFrameNotification(0, nullptr);
    cursor = defaultCursor;
    downCursor = defaultDownCursor;
    isCorralled = 0;
    refreshHover();
}

// The hook runs while the animation is whole, so whoever it tells may still read it.
RAnimation::~RAnimation() {
    animationDeathHook().notify(this);
    if (notifyDepth > 0) destroyedInNotify.push_back(this);
}

void RAnimation::setDeathHook(const OMLink* link) { animationDeathHook().set(link); }
OMLink* RAnimation::getDeathHook() { return animationDeathHook().link(); }

void RAnimation::setFrameNotification(std::int32_t mode, const OMLink* link) {
    const OMLinkToObj<RAnimation> notify(this, &RAnimation::notifyFrame);
    setEntryLink(mode == 1 ? &notify : nullptr);
    notification = mode;
    frameLink.reset(link ? link->clone() : nullptr);
}

// Called on every advance; only frame entries notify. A handler may destroy the animation, and then
// nothing of it is touched again.
void RAnimation::notifyFrame() {
    const auto isFrame = [this] { return playback.entry(playback.currentEntry).frame >= 0; };
    ++notifyDepth;
    if (isFrame()) signalEvent("frameNotify");
    const bool gone = std::find(destroyedInNotify.begin(), destroyedInNotify.end(), this) != destroyedInNotify.end();
    if (!gone && isFrame() && frameLink) frameLink->invokeWith(reinterpret_cast<OMArg>(this));
    if (--notifyDepth == 0) destroyedInNotify.clear();
}

void RAnimation::registerProperties() {
    OMAnimation::registerProperties();
    const auto data = [this](const char* name, void (RAnimation::*setter)(OMArg), void (RAnimation::*getter)(OMArg)) {
        const OMLinkToObj<RAnimation> set(this, nullptr, setter), get(this, nullptr, getter);
        const OMLinkToFct ignored(readOnlySetter);
        addDataProperty(name, setter ? static_cast<const OMLink*>(&set) : &ignored, &get);
    };
    data("frameCount", nullptr, &RAnimation::getFrameCount);
    data("frameNotification", &RAnimation::setFrameNotificationText, &RAnimation::getFrameNotification);
    data("framerate", &RAnimation::setFramerate, &RAnimation::getFramerate);
    data("height", nullptr, &RAnimation::getHeight);
    data("repeatCount", &RAnimation::setRepeatCountText, &RAnimation::getRepeatCount);
    data("soundSync", &RAnimation::setSoundSync, &RAnimation::getSoundSync);
    data("userData", &RAnimation::setUserData, &RAnimation::getUserData);
    data("width", nullptr, &RAnimation::getWidth);
    const auto verb = [this](const char* name, void (RAnimation::*method)()) {
        const OMLinkToObj<RAnimation> link(this, method);
        addMethodProperty(name, &link);
    };
    verb("hide", &RAnimation::hideVerb);
    verb("show", &RAnimation::showVerb);
    verb("paint", &RAnimation::paintVerb);
    verb("pause", &RAnimation::pauseVerb);
    verb("play", &RAnimation::playVerb);
    verb("resume", &RAnimation::resumeVerb);
    verb("suspend", &RAnimation::suspendVerb);
    verb("replacePaletteEntry", &RAnimation::replacePaletteEntryVerb);
    verb("setAOCursor", &RAnimation::setAOCursorVerb);
    addEventProperty("frameNotify");
}

// Arguments: x and y, or none for the animation's own place. The window shows the paint where it next
// redraws that area from the background.
void RAnimation::paintVerb() {
    const std::string x = popParameter();
    const std::string y = popParameter();
    OMCanvas* canvas = window->background ? window->background->canvas() : nullptr;
    if (!canvas || canvas->typeName() != kMemCanvasType) return;
    const std::int32_t left = x.empty() ? bounds.left : std::atoi(x.c_str());
    const std::int32_t top = x.empty() ? bounds.top : std::atoi(y.c_str());
    const OMRect area{left, top, left + frameShown().width, top + frameShown().height};
    drawCurrentInto(left, top, *static_cast<OMMemCanvas*>(canvas), area);
}

void RAnimation::replacePaletteEntryVerb() {
    const auto from = static_cast<std::uint8_t>(std::atoi(popParameter()));
    const auto to = static_cast<std::uint8_t>(std::atoi(popParameter()));
    replacePaletteEntry(from, to, -2);
}

void RAnimation::setAOCursorVerb() {
    const std::int32_t id = std::atoi(popParameter());
    const std::int32_t downId = std::atoi(popParameter());
    if (!cursorHook) return;
    cursor = cursorHook(id);
    downCursor = cursorHook(downId);
    refreshHover();
}

void RAnimation::getFrameCount(OMArg buffer) { writeInteger(buffer, frameEntryCount()); }
void RAnimation::getFrameNotification(OMArg buffer) { writeInteger(buffer, notification); }
void RAnimation::setFrameNotificationText(OMArg text) { setFrameNotification(integerOf(text), nullptr); }
void RAnimation::getFramerate(OMArg buffer) { writeInteger(buffer, playback.frameRate); }
void RAnimation::setFramerate(OMArg text) { playback.frameRate = integerOf(text); }
void RAnimation::getHeight(OMArg buffer) { writeInteger(buffer, bounds.bottom - bounds.top); }
void RAnimation::getWidth(OMArg buffer) { writeInteger(buffer, bounds.right - bounds.left); }
void RAnimation::getRepeatCount(OMArg buffer) { writeInteger(buffer, playback.repeatCount); }
void RAnimation::setRepeatCountText(OMArg text) { setRepeatCount(integerOf(text)); }
void RAnimation::getSoundSync(OMArg buffer) { writeInteger(buffer, playback.soundSync ? 1 : 0); }
void RAnimation::setSoundSync(OMArg text) { playback.soundSync = integerOf(text) != 0; }
void RAnimation::getUserData(OMArg buffer) { static_cast<void>(writePropertyText(buffer, userData.c_str())); }
void RAnimation::setUserData(OMArg text) { userData = text ? reinterpret_cast<const char*>(text) : ""; }
