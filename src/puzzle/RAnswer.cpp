// Answers: pick-up and drop, going home, centring, container changes, the script face and the commands
// that set the class's sound ids.
#include "RAnswer.h"

#include <cstdlib>

#include "DataProperties.h"
#include "DispatchScope.h"
#include "OMSParameter.h"
#include "OMTrinketWindow.h"
#include "RContainer.h"
#include "YScriptLoader.h"

std::uint16_t RAnswer::defaultGoHomeSound = kNoSound;
std::uint16_t RAnswer::defaultPickUpSound = kNoSound;
std::uint16_t RAnswer::defaultSnapSound = kNoSound;
OMCursor* RAnswer::defaultCursor = OMTrinket::defaultCursor;
OMCursor* RAnswer::defaultDownCursor = OMTrinket::defaultDownCursor;
AnswerSoundHook RAnswer::soundHook = nullptr;
std::int32_t RAnswer::dispatchDepth = 0;

OMList<RAnswer>& RAnswer::destroyedDuringDispatch() {
    static OMList<RAnswer> destroyed;
    return destroyed;
}

namespace {

void setDefaultSound(OMArg slot) {
    *reinterpret_cast<std::uint16_t*>(slot) = static_cast<std::uint16_t>(std::atoi(popParameter()));
}

}  // namespace

void registerAnswerCommands() {
    const std::pair<const char*, std::uint16_t*> commands[] = {{"SetAnswerGoHomeSound", &RAnswer::defaultGoHomeSound},
                                                              {"SetAnswerPickUpSound", &RAnswer::defaultPickUpSound},
                                                              {"SetAnswerSnapSound", &RAnswer::defaultSnapSound}};
    for (const auto& [name, slot] : commands) {
        const OMLinkToFct link(setDefaultSound, reinterpret_cast<OMArg>(slot));
        registerScriptFunction(name, &link);
    }
}

RAnswer::RAnswer(POINT homePoint, std::int32_t zHome, OMTrinketWindow* owner)
    : OMMultiTrinket(owner, kRedrawRegion),
      home(homePoint),
      homeZ(zHome),
      goHomeSound(defaultGoHomeSound),
      pickUpSound(defaultPickUpSound),
      snapSound(defaultSnapSound) {
    setZ(homeZ);
    const OMLinkToObj<RAnswer> down(this, &RAnswer::pickUp);
    const OMLinkToObj<RAnswer> twice(this, &RAnswer::pickUpHeld);
    const OMLinkToObj<RAnswer> up(this, &RAnswer::drop);
    replaceLink(mouseDownLink, &down);
    replaceLink(dblClickLink, &twice);
    replaceLink(mouseUpLink, &up);
    cursor = defaultCursor;
    downCursor = defaultDownCursor;
}

// The answer leaves its container while its bounds still stand, so that a stack closes the gap it leaves.
RAnswer::~RAnswer() {
    if (container_ && container_->answers.contains(this)) container_->removeAnswer(this);
    replaceLink(dropLink, nullptr);
    replaceLink(pickUpLink, nullptr);
    if (dispatchDepth > 0) destroyedDuringDispatch().append(this);
}

void RAnswer::addPart(OMTrinket* part, std::int32_t zOffset, std::int32_t id) {
    addTrinket(part, zOffset, id, 1);
    const OMLinkToObj<RAnswer> released(this, &RAnswer::partReleased);
    replaceLink(part->mouseUpLink, &released);
}

OMRect RAnswer::effectiveRect() const {
    return OMRect{bounds.left + extraLeft, bounds.top + extraTop, bounds.right - extraRight,
                  bounds.bottom - extraBottom};
}

void RAnswer::playSound(std::uint16_t id) const {
    if (id != kNoSound && soundHook) soundHook(id, 0, 0);
}

// The link is read after the event: a handler that detaches the answer from its puzzle has deleted the one
// held before.
void RAnswer::signalThenInvoke(const char* event, OMLink* RAnswer::*link) {
    const DispatchScope<RAnswer> scope;
    signalEvent(event);
    if (!wasDestroyed(this) && this->*link) (this->*link)->invokeWith(reinterpret_cast<OMArg>(this));
}

void RAnswer::pickUp() {
    dragging = 1;
    playSound(pickUpSound);
    signalThenInvoke("pickedUp", &RAnswer::pickUpLink);
}

// The window lets a double-clicked trinket go unless it is held by the press when the click returns.
void RAnswer::pickUpHeld() {
    OMTrinket* pressed = window->pressedTrinket;
    const DispatchScope<RAnswer> scope;
    pickUp();
    const bool held = !wasDestroyed(this) && pressed && window->pressedTrinket == pressed && isMovable();
    if (held && pressed->holdState == kFree) pressed->holdState = kHeldByPress;
}

void RAnswer::drop() {
    dragging = 0;
    signalThenInvoke("dropped", &RAnswer::dropLink);
}

// The part's relay, with the answer's drop before its "mouseUp".
void RAnswer::partReleased() {
    if (!isTouchy()) return;
    const DispatchScope<RAnswer> scope;
    drop();
    if (!wasDestroyed(this) && !(inputMask & kNoMouseUp)) signalEvent("mouseUp");
}

// An answer anchored while it is held gets no release, so its drag ends here.
void RAnswer::anchor() {
    setMovable(0);
    setTouchy(0);
    dragging = 0;
}

void RAnswer::unanchor() {
    setMovable(1);
    setTouchy(1);
}

void RAnswer::goHome() {
    if (dragging) return;
    place(home.x, home.y);
    setZ(homeZ);
    playSound(goHomeSound);
}

void RAnswer::centreIn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    const OMRect inner = effectiveRect();
    const std::int32_t w = inner.right - inner.left;
    const std::int32_t h = inner.bottom - inner.top;
    place(left + ((right - left) - w) / 2 - extraLeft, top + ((bottom - top) - h) / 2 - extraTop);
    playSound(snapSound);
}

// A handler that destroys the answer ends the change there.
void RAnswer::setContainer(RContainer* c) {
    if (c == container_) return;
    const DispatchScope<RAnswer> scope;
    if (container_) signalEvent("removedFromContainer");
    if (c && !wasDestroyed(this)) signalEvent("addedToContainer");
    if (!wasDestroyed(this)) container_ = c;
}

void RAnswer::setHomeX(OMArg text) {
    home.x = integerOf(text);
    setX(home.x);
}

void RAnswer::setHomeY(OMArg text) {
    home.y = integerOf(text);
    setY(home.y);
}

void RAnswer::registerProperties() {
    OMMultiTrinket::registerProperties();
    const DataProperty<RAnswer> table[] = {{"extraBottom", &RAnswer::setExtraBottom, &RAnswer::getExtraBottom},
                 {"extraLeft", &RAnswer::setExtraLeft, &RAnswer::getExtraLeft},
                 {"extraRight", &RAnswer::setExtraRight, &RAnswer::getExtraRight},
                 {"extraTop", &RAnswer::setExtraTop, &RAnswer::getExtraTop},
                 {"goHomeSound", &RAnswer::setGoHomeSound, &RAnswer::getGoHomeSound},
                 {"homeX", &RAnswer::setHomeX, &RAnswer::getHomeX},
                 {"homeY", &RAnswer::setHomeY, &RAnswer::getHomeY},
                 {"isUsed", nullptr, &RAnswer::getIsUsed},
                 {"pickUpSound", &RAnswer::setPickUpSound, &RAnswer::getPickUpSound},
                 {"snapSound", &RAnswer::setSnapSound, &RAnswer::getSnapSound}};
    addDataProperties(this, table);
    for (const char* event : {"addedToContainer", "dropped", "pickedUp", "removedFromContainer"}) addEventProperty(event);
}
