// Groups of trinkets: children taken in and let go, moves and attributes passed on, input relayed, and
// the script class "OMMultiTrinket".
#include "OMMultiTrinket.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMSystemUtilities.h"
#include "OMTrinketWindow.h"
#include "YDeathInterest.h"
#include "YHeap.h"

namespace {

OMScriptableObject* makeGroup() {
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    return window ? new OMMultiTrinket(window, kRedrawRegion) : nullptr;
}

}  // namespace

OMSR OMMultiTrinket::classRecord{"OMMultiTrinket", makeGroup};
std::int32_t OMMultiTrinket::dispatchDepth = 0;

OMList<OMMultiTrinket>& OMMultiTrinket::destroyedDuringDispatch() {
    static OMList<OMMultiTrinket> destroyed;
    return destroyed;
}

void OMMultiTrinket::setDeathHook(const OMLink* link) { multiTrinketDeathHook().set(link); }
OMLink* OMMultiTrinket::deathHook() { return multiTrinketDeathHook().link(); }

OMMultiTrinket::OMMultiTrinket(OMTrinketWindow* owner, std::int32_t clip) : OMTrinket(owner, clip) {}

OMMultiTrinket::~OMMultiTrinket() {
    removeAll();
    if (dispatchDepth > 0) destroyedDuringDispatch().append(this);
    multiTrinketDeathHook().notify(this);
}

void OMMultiTrinket::setAttribute(std::int32_t index, std::int32_t value, std::int32_t value2) {
    OMTrinket::setAttribute(index, value, value2);
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) {
        const std::int32_t given = index == kAttributeZ ? value + n->element->zOffset : value;
        n->element->child->setAttribute(index, given, value2);
    }
}

// Built aside first: a child group's hit region is this same shared region.
const OMRegion& OMMultiTrinket::hitRegion() {
    static OMRegion shared;
    OMRegion united;
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) united |= n->element->child->hitRegion();
    shared = united;
    return shared;
}

bool OMMultiTrinket::hitTest(POINT point) {
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) {
        OMTrinket* child = n->element->child;
        if (child->isVisible() && child->hitTest(point)) return true;
    }
    return false;
}

void OMMultiTrinket::setX(std::int32_t x) { place(x, bounds.top); }
void OMMultiTrinket::setY(std::int32_t y) { place(bounds.left, y); }

void OMMultiTrinket::place(std::int32_t x, std::int32_t y) {
    std::int32_t dx = x - bounds.left;
    std::int32_t dy = y - bounds.top;
    offsetBy(dx, dy);
}

void OMMultiTrinket::forEachChild(void (OMTrinket::*method)()) {
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) (n->element->child->*method)();
}

void OMMultiTrinket::show() {
    OMTrinket::show();
    forEachChild(&OMTrinket::show);
}
void OMMultiTrinket::hide() {
    OMTrinket::hide();
    forEachChild(&OMTrinket::hide);
}
void OMMultiTrinket::enableMove() {
    OMTrinket::enableMove();
    forEachChild(&OMTrinket::enableMove);
}
void OMMultiTrinket::disableMove() {
    OMTrinket::disableMove();
    forEachChild(&OMTrinket::disableMove);
}
void OMMultiTrinket::raiseUserFlag() {
    OMTrinket::raiseUserFlag();
    forEachChild(&OMTrinket::raiseUserFlag);
}
void OMMultiTrinket::lowerUserFlag() {
    OMTrinket::lowerUserFlag();
    forEachChild(&OMTrinket::lowerUserFlag);
}

// The group's corral adjusts the move; each child then applies its own confinement to its copy.
void OMMultiTrinket::offsetBy(std::int32_t& dx, std::int32_t& dy) {
    constrainOffset(dx, dy);
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) {
        std::int32_t childDx = dx;
        std::int32_t childDy = dy;
        n->element->child->offsetBy(childDx, childDy);
    }
    if (!(bounds == kEmptyRect)) setBounds(offsetRect(bounds, dx, dy));
}

void OMMultiTrinket::addTrinket(OMTrinket* child, std::int32_t zOffset, std::int32_t id, std::int32_t owned) {
    children.append(new TrinketRecord{owned, child, zOffset, id});
    child->setZ(z + zOffset);
    child->setTouchy(touchy);
    child->setVisible(visible);
    child->setMovable(movable);
    child->setUserFlag(userFlag);
    child->corralRect = corralRect;
    child->gridX = gridX;
    child->gridY = gridY;
    child->gridOriginX = gridOriginX;
    child->gridOriginY = gridOriginY;
    child->isCorralled = isCorralled;
    const OMLinkToObj<OMMultiTrinket> down(this, &OMMultiTrinket::relayMouseDown);
    const OMLinkToObj<OMMultiTrinket> drag(this, nullptr, &OMMultiTrinket::relayDrag, reinterpret_cast<OMArg>(child));
    const OMLinkToObj<OMMultiTrinket> up(this, &OMMultiTrinket::relayMouseUp);
    const OMLinkToObj<OMMultiTrinket> off(this, &OMMultiTrinket::relayFlyOff);
    const OMLinkToObj<OMMultiTrinket> on(this, &OMMultiTrinket::relayFlyOn);
    const OMLinkToObj<OMMultiTrinket> twice(this, &OMMultiTrinket::relayDblClick);
    replaceLink(child->mouseDownLink, &down);
    replaceLink(child->dragLink, &drag);
    replaceLink(child->mouseUpLink, &up);
    replaceLink(child->flyOffLink, &off);
    replaceLink(child->flyOnLink, &on);
    replaceLink(child->dblClickLink, &twice);
    updateBounds();
    child->downCursor = downCursor;
    child->cursor = cursor;
    refreshHover();
}

TrinketRecord* OMMultiTrinket::recordOf(const OMTrinket* child) const {
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) {
        if (n->element->child == child) return n->element;
    }
    return nullptr;
}

TrinketRecord* OMMultiTrinket::recordWithId(std::int32_t id) const {
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) {
        if (n->element->id == id) return n->element;
    }
    return nullptr;
}

// The record leaves the list before the child goes, so whatever the child's end sets off finds it gone.
void OMMultiTrinket::detachChild(TrinketRecord* record) {
    children.remove(record);
    OMTrinket* child = record->child;
    unregisterDeathInterest(child, this);
    if (record->owned) {
        delete child;
    } else {
        for (OMLink** link : {&child->dblClickLink, &child->mouseDownLink, &child->dragLink, &child->mouseUpLink,
                              &child->flyOffLink, &child->flyOnLink}) {
            replaceLink(*link, nullptr);
        }
    }
    delete record;
}

// One at a time from the head: letting a child go may set off changes to the list.
void OMMultiTrinket::removeTrinket(std::int32_t id) {
    while (TrinketRecord* record = recordWithId(id)) detachChild(record);
    updateBounds();
}

void OMMultiTrinket::removeChild(OMTrinket* child) {
    if (TrinketRecord* record = recordOf(child)) detachChild(record);
    updateBounds();
}

void OMMultiTrinket::removeAll() {
    while (children.head) detachChild(children.head->element);
    updateBounds();
}

// Letting an unowned child go deletes nothing, so the walk can go on from the next record.
void OMMultiTrinket::releaseUnowned() {
    for (OMListElement<TrinketRecord>* n = children.head; n;) {
        TrinketRecord* record = n->element;
        n = n->next;
        if (!record->owned) detachChild(record);
    }
    updateBounds();
}

void OMMultiTrinket::childDestroyed(OMArg child) {
    TrinketRecord* record = recordOf(reinterpret_cast<OMTrinket*>(child));
    if (!record) return;
    delete children.remove(record);
    updateBounds();
}

OMTrinket* OMMultiTrinket::getTrinket(std::int32_t id) const {
    const TrinketRecord* record = recordWithId(id);
    return record ? record->child : nullptr;
}

std::int32_t OMMultiTrinket::getZOffset(std::int32_t id) const {
    const TrinketRecord* record = recordWithId(id);
    return record ? record->zOffset : 0;
}

std::int32_t OMMultiTrinket::getChildZOffset(const OMTrinket* child) const {
    const TrinketRecord* record = recordOf(child);
    return record ? record->zOffset : 0;
}

void OMMultiTrinket::setZOffset(std::int32_t id, std::int32_t zOffset) {
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) {
        if (n->element->id != id) continue;
        n->element->zOffset = zOffset;
        n->element->child->setZ(z + zOffset);
    }
}

void OMMultiTrinket::setChildZOffset(OMTrinket* child, std::int32_t zOffset) {
    TrinketRecord* record = recordOf(child);
    if (!record) return;
    record->zOffset = zOffset;
    child->setZ(z + zOffset);
}

void OMMultiTrinket::setCursor(OMCursor* shown) {
    cursor = shown;
    refreshHover();
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) {
        n->element->child->cursor = shown;
        refreshHover();
    }
}

void OMMultiTrinket::setDownCursor(OMCursor* shown) {
    downCursor = shown;
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) n->element->child->downCursor = shown;
}

void OMMultiTrinket::updateBounds() {
    OMRect united = kEmptyRect;
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) {
        const OMRect& part = n->element->child->getBounds();
        if (!(part == kEmptyRect)) united = united | part;
    }
    setBounds(united);
}

bool OMMultiTrinket::holds(const OMTrinket* t) const {
    if (t == this) return true;
    for (OMListElement<TrinketRecord>* n = children.head; n; n = n->next) {
        const auto* inner = dynamic_cast<const OMMultiTrinket*>(n->element->child);
        if (inner ? inner->holds(t) : n->element->child == t) return true;
    }
    return false;
}

void OMMultiTrinket::leaveRelay() {
    if (--dispatchDepth == 0) destroyedDuringDispatch().clear(false);
}

// The group may be gone once the event's handler returns: only its address is looked at then.
void OMMultiTrinket::relayEvent(const char* event, std::uint32_t maskBit, OMLink* OMTrinket::*link,
                                void (OMMultiTrinket::*after)()) {
    enterRelay();
    if (!(inputMask & maskBit)) signalEvent(event);
    if (!destroyedDuringDispatch().contains(this)) {
        if (after) (this->*after)();
        invokeLink(this->*link);
    }
    leaveRelay();
}

void OMMultiTrinket::notePressPoint() { dragPoint = currentMessagePoint(); }

void OMMultiTrinket::relayMouseDown() {
    if (isTouchy()) relayEvent("mouseDown", kNoMouseDown, &OMTrinket::mouseDownLink, &OMMultiTrinket::notePressPoint);
}

void OMMultiTrinket::relayMouseUp() {
    if (isTouchy()) relayEvent("mouseUp", kNoMouseUp, &OMTrinket::mouseUpLink, nullptr);
}

void OMMultiTrinket::relayFlyOff() { relayEvent("flyOff", kNoFlyOff, &OMTrinket::flyOffLink, nullptr); }
void OMMultiTrinket::relayFlyOn() { relayEvent("flyOn", kNoFlyOn, &OMTrinket::flyOnLink, nullptr); }
void OMMultiTrinket::relayDblClick() { relayEvent("dblClick", kNoDblClick, &OMTrinket::dblClickLink, nullptr); }

// Runs before the window moves the held child by the same mouse step: the child is first moved back, then
// the whole group (the child with it) moves, so the group moves as one.
void OMMultiTrinket::relayDrag(OMArg dragged) {
    if (!isMovable()) return;
    enterRelay();
    const POINT now = currentMessagePoint();
    std::int32_t dx = now.x - dragPoint.x;
    std::int32_t dy = now.y - dragPoint.y;
    dragPoint = now;
    std::int32_t backX = -dx;
    std::int32_t backY = -dy;
    reinterpret_cast<OMTrinket*>(dragged)->offsetBy(backX, backY);
    offsetBy(dx, dy);
    onDrag();
    leaveRelay();
}

void OMMultiTrinket::registerProperties() {
    OMTrinket::registerProperties();
    const OMLinkToObj<OMMultiTrinket> height(this, nullptr, &OMMultiTrinket::getHeight);
    const OMLinkToObj<OMMultiTrinket> width(this, nullptr, &OMMultiTrinket::getWidth);
    const OMLinkToObj<OMMultiTrinket> setCorralled(this, nullptr, &OMMultiTrinket::setCorralledText);
    const OMLinkToObj<OMMultiTrinket> getCorralled(this, nullptr, &OMMultiTrinket::getCorralledText);
    const OMLinkToObj<OMMultiTrinket> setData(this, nullptr, &OMMultiTrinket::setUserDataText);
    const OMLinkToObj<OMMultiTrinket> getData(this, nullptr, &OMMultiTrinket::getUserDataText);
    const OMLinkToFct ignored(readOnlySetter);
    addDataProperty("height", &ignored, &height);
    addDataProperty("isCorralled", &setCorralled, &getCorralled);
    addDataProperty("userData", &setData, &getData);
    addDataProperty("width", &ignored, &width);
    const OMLinkToObj<OMMultiTrinket> add(this, &OMMultiTrinket::addTrinketVerb);
    const OMLinkToObj<OMMultiTrinket> remove(this, &OMMultiTrinket::removeTrinketsVerb);
    addMethodProperty("addTrinket", &add);
    addMethodProperty("removeTrinkets", &remove);
}

// The first argument names the script variable that holds the child. Anything but a trinket, a child
// already held (its death would take out only one record) and a trinket that would contain the group
// itself are not taken in.
void OMMultiTrinket::addTrinketVerb() {
    const std::intptr_t held = scriptHeap().intValue(popParameter(), 0);
    const std::int32_t zOffset = std::atoi(popParameter());
    const std::int32_t id = std::atoi(popParameter());
    auto* child = dynamic_cast<OMTrinket*>(reinterpret_cast<OMScriptableObject*>(held));
    if (!child) return;
    const auto* group = dynamic_cast<const OMMultiTrinket*>(child);
    if (child == this || recordOf(child) || (group && group->holds(this))) return;
    addTrinket(child, zOffset, id, 0);
    const OMLinkToObj<OMMultiTrinket> gone(this, nullptr, &OMMultiTrinket::childDestroyed);
    registerDeathInterest(child, this, &gone);
}

void OMMultiTrinket::removeTrinketsVerb() {
    const char* id = popParameter();
    if (*id) return removeTrinket(std::atoi(id));
    removeAll();
}

void OMMultiTrinket::getHeight(OMArg buffer) { writeInteger(buffer, bounds.bottom - bounds.top); }
void OMMultiTrinket::getWidth(OMArg buffer) { writeInteger(buffer, bounds.right - bounds.left); }
void OMMultiTrinket::setCorralledText(OMArg text) { isCorralled = integerOf(text); }
void OMMultiTrinket::getCorralledText(OMArg buffer) { writeInteger(buffer, isCorralled); }
void OMMultiTrinket::setUserDataText(OMArg text) { userData = reinterpret_cast<const char*>(text); }
void OMMultiTrinket::getUserDataText(OMArg buffer) {
    static_cast<void>(writePropertyText(buffer, userData.c_str()));
}
