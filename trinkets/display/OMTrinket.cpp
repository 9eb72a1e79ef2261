// The trinket base: lifetime on its window, attributes, redraw marking and composing, confinement and
// snapping, capture and cursors.
#include "OMTrinket.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "OMMemCanvas.h"
#include "OMTrinketWindow.h"
#include "OMWndCanvas.h"
#include "YDeathInterest.h"

std::int32_t OMTrinket::defaultVisible = 1;
OMCursor* OMTrinket::defaultCursor = nullptr;
OMCursor* OMTrinket::defaultDownCursor = nullptr;
OMCursor* OMTrinket::noTrinketCursor = nullptr;
OMTrinket* OMTrinket::capture = nullptr;

namespace {

OMLink* cloneOf(const OMLink* link) { return link ? link->clone() : nullptr; }

// Two hit regions used in turn, so that two results can be held at once without allocating.
OMRegion& nextHitRegion() {
    static OMRegion shared[2];
    static int next = 0;
    next ^= 1;
    return shared[next];
}

void setRegionTo(OMRegion& region, const OMRect& rect) {
    if (rect.hasNoArea()) return region.clear();
    region.setRect(rect);
}

// The coordinate of the nearest grid line (a coordinate halfway between two lines takes the lower).
std::int32_t snapped(std::int32_t coordinate, std::int32_t origin, std::int32_t step) {
    const std::int32_t size = std::abs(step);
    const std::int32_t offset = coordinate - origin;
    std::int32_t lines = offset / size;
    std::int32_t rest = offset % size;
    if (rest < 0) rest += size, --lines;
    if (2 * rest > size) ++lines;
    return origin + lines * size;
}

}  // namespace

OMRegion regionOf(const OMRect& rect) {
    OMRegion region;
    setRegionTo(region, rect);
    return region;
}

OMRect offsetRect(const OMRect& rect, std::int32_t dx, std::int32_t dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

bool rectContains(const OMRect& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

OMTrinket::OMTrinket(OMTrinketWindow* owner, std::int32_t clip)
    : clipKind(clip),
      window(owner),
      inputMask(owner->defaultInputMask),
      corralRect{0, 0, owner->offscreen->width(), owner->offscreen->height()},
      visible(defaultVisible),
      cursor(defaultCursor),
      downCursor(defaultDownCursor) {
    window->trinkets.append(this);
    invalidateAll();
}

OMTrinket::OMTrinket(const OMTrinket& other)
    : OMScriptableObject(),
      clipKind(other.clipKind),
      updateMode{other.updateMode[0], other.updateMode[1]},
      dirtyRegion{other.dirtyRegion[0], other.dirtyRegion[1]},
      window(other.window),
      holdState(other.holdState),
      inputMask(other.inputMask),
      isCorralled(other.isCorralled),
      snapArea(other.snapArea),
      bounds(other.bounds),
      z(other.z),
      tag(other.tag),
      corralRect(other.corralRect),
      touchy(other.touchy),
      gridX(other.gridX),
      gridY(other.gridY),
      gridOriginX(other.gridOriginX),
      gridOriginY(other.gridOriginY),
      overshootX(other.overshootX),
      overshootY(other.overshootY),
      visible(other.visible),
      movable(other.movable),
      userFlag(other.userFlag),
      mouseDownLink(cloneOf(other.mouseDownLink)),
      mouseUpLink(cloneOf(other.mouseUpLink)),
      dragLink(cloneOf(other.dragLink)),
      dblClickLink(cloneOf(other.dblClickLink)),
      keyLink(cloneOf(other.keyLink)),
      captureLostLink(cloneOf(other.captureLostLink)),
      flyOnLink(cloneOf(other.flyOnLink)),
      flyOffLink(cloneOf(other.flyOffLink)),
      cursor(other.cursor),
      downCursor(other.downCursor) {
    window->trinkets.append(this);
}

// Parties that keep this trinket (a group that took it in) hear of its end first, whatever its class.
OMTrinket::~OMTrinket() {
    notifyDeath(this);
    releaseCapture();
    invalidate();
    for (OMLink** link : {&mouseDownLink, &mouseUpLink, &dragLink, &dblClickLink, &keyLink, &captureLostLink,
                          &flyOnLink, &flyOffLink}) {
        replaceLink(*link, nullptr);
    }
    window->trinkets.remove(this);
    if (window->pressedTrinket == this) window->pressedTrinket = nullptr;
    if (OMTrinketWindow::hoverTrinket == this) {
        OMTrinketWindow::hoverTrinket = nullptr;
        showDefaultCursor();
        refreshHover();
    }
}

void OMTrinket::describe(char* buffer, std::size_t size) {
    if (!buffer || size == 0) return;
    std::snprintf(buffer, size, "%d %d %d %d", static_cast<int>(bounds.left), static_cast<int>(bounds.top),
                  static_cast<int>(bounds.right), static_cast<int>(bounds.bottom));
}

std::int32_t OMTrinket::bufferCount() const { return window->bufferCount(); }

void OMTrinket::invalidate() {
    if (!visible || z < window->zFloor) return;
    invalidateAll();
    window->addRedrawRegion(regionOf(bounds));
}

void OMTrinket::invalidateRegion(const OMRegion& region) {
    if (!visible || z < window->zFloor) return;
    setDirty(region);
    window->addRedrawRegion(region);
}

void OMTrinket::setWindowCursor(OMCursor* shown) {
    if (window->showCursors && shown) window->canvas->setCursor(shown);
}

void OMTrinket::showDownCursor() { setWindowCursor(downCursor); }
void OMTrinket::showCursor() { setWindowCursor(cursor); }
void OMTrinket::showDefaultCursor() { setWindowCursor(noTrinketCursor); }

void OMTrinket::setNoTrinketCursor(OMCursor* shown) {
    noTrinketCursor = shown;
    OMTrinketWindow* main = OMTrinketWindow::mainTrinketWindow;
    if (main && main->showCursors && shown) main->canvas->setCursor(shown);
}

// Moves through attributes are not confined; only offsetBy is.
void OMTrinket::setAttribute(std::int32_t index, std::int32_t value, std::int32_t value2) {
    switch (index) {
    case kAttributeX: return moveBy(value - bounds.left, 0);
    case kAttributeY: return moveBy(0, value - bounds.top);
    case kAttributePosition: return moveBy(value - bounds.left, value2 - bounds.top);
    case kAttributeZ: return setZAttribute(value);
    case kAttributeVisible: return setVisibleAttribute(value);
    case kAttributeMovable: movable = value; return;
    case kAttributeUserFlag: userFlag = value; return;
    case kAttributeTouchy: return setTouchyAttribute(value);
    default: return;
    }
}

void OMTrinket::moveBy(std::int32_t dx, std::int32_t dy) {
    if (dx == 0 && dy == 0) return;
    invalidate();
    if (!(bounds == kEmptyRect)) bounds = offsetRect(bounds, dx, dy);
}

// No lower limit: a trinket below the window's z floor is neither drawn nor hit. The list is re-sorted
// even for classes whose restack does nothing (hot spots), so it stays in z order.
void OMTrinket::setZAttribute(std::int32_t value) {
    const std::int32_t stored = std::min(value, kHighestZ);
    if (stored == z) return;
    z = stored;
    resort();
    window->noteZ(stored);
}

// A trinket hidden under the mouse is forgotten as the hover trinket without hearing "flyOff".
void OMTrinket::setVisibleAttribute(std::int32_t value) {
    if (visible && !value) {
        invalidate();
        if (OMTrinketWindow::hoverTrinket == this) OMTrinketWindow::hoverTrinket = nullptr;
    } else if (!visible && value) {
        invalidateAll();
    }
    visible = value;
}

void OMTrinket::setTouchyAttribute(std::int32_t value) {
    touchy = value;
    if (value || window->pressedTrinket != this) return;
    holdState = kFree;
    window->pressedTrinket = nullptr;
}

const OMRegion& OMTrinket::hitRegion() {
    OMRegion& region = nextHitRegion();
    setRegionTo(region, bounds);
    return region;
}

bool OMTrinket::hitTest(POINT point) {
    const OMRegion& region = hitRegion();
    return region.handle() && PtInRegion(region.handle(), point.x, point.y);
}

bool OMTrinket::intersectsRect(const OMRect& rect) { return rect.intersectsRegion(hitRegion()); }

bool OMTrinket::intersectsRegion(const OMRegion& region) {
    const OMRegion& mine = hitRegion();
    if (!mine.handle() || !region.handle()) return false;
    return (mine & region).handle() != nullptr;
}

// Our region is kept aside: a group's hit region asks its children for theirs, which reuses the shared ones.
bool OMTrinket::intersects(OMTrinket& other) {
    const OMRegion mine = hitRegion();
    return other.intersectsRegion(mine);
}

void OMTrinket::restack() { resort(); }

void OMTrinket::resort() {
    window->trinkets.remove(this);
    window->trinkets.append(this);
    invalidateAll();
}

void OMTrinket::getPosition(std::int32_t& x, std::int32_t& y) {
    x = bounds.left;
    y = bounds.top;
}

void OMTrinket::bringToFront() { setZ(window->maxZ + 1); }
void OMTrinket::sendToBack() { setZ(window->minZ - 1); }

void OMTrinket::snapToGrid() {
    if (!gridX && !gridY) return;
    if (!(snapArea == kEmptyRect) && !snapArea.overlaps(bounds)) return;
    std::int32_t dx = gridX ? snapped(bounds.left, gridOriginX, gridX) - bounds.left : 0;
    std::int32_t dy = gridY ? snapped(bounds.top, gridOriginY, gridY) - bounds.top : 0;
    offsetBy(dx, dy);
    overshootX = overshootY = 0;
}

void OMTrinket::offsetBy(std::int32_t& dx, std::int32_t& dy) {
    constrainOffset(dx, dy);
    if (dx == 0 && dy == 0) return;
    invalidate();
    if (!(bounds == kEmptyRect)) bounds = offsetRect(bounds, dx, dy);
}

// While confined, the overshoot is where the trinket would be; it follows again once it would fit whole.
std::int32_t OMTrinket::confineAxis(std::int32_t position, std::int32_t delta, std::int32_t size, std::int32_t low,
                                   std::int32_t high, std::int32_t& overshoot) {
    if (overshoot != 0) {
        overshoot += delta;
        if (overshoot < low || overshoot + size > high) return position;
        const std::int32_t free = overshoot;
        overshoot = 0;
        return free;
    }
    std::int32_t moved = position + delta;
    if (moved + size > high) {
        overshoot = moved;
        moved = high - size;
    }
    if (moved < low) {
        overshoot = moved;
        moved = low;
    }
    return moved;
}

void OMTrinket::constrainOffset(std::int32_t& dx, std::int32_t& dy) {
    if (!corralTrinketNormalization() || !isCorralled) return;
    const std::int32_t x = confineAxis(bounds.left, dx, bounds.right - bounds.left, corralRect.left,
                                       corralRect.right, overshootX);
    const std::int32_t y = confineAxis(bounds.top, dy, bounds.bottom - bounds.top, corralRect.top,
                                       corralRect.bottom, overshootY);
    dx = x - bounds.left;
    dy = y - bounds.top;
}

void OMTrinket::invalidateAll() {
    assignDirtyRegion(regionOf(bounds));
    setUpdateMode(kWhollyDirty);
    window->needsUpdate = 1;
}

void OMTrinket::setDirty(const OMRegion& region) {
    assignDirtyRegion(region);
    setUpdateMode(kPartlyDirty);
    window->needsUpdate = 1;
}

void OMTrinket::addDirty(const OMRegion& region) {
    unionDirtyRegion(region);
    setUpdateMode(kPartlyDirty);
    window->needsUpdate = 1;
}

void OMTrinket::refreshHover() { window->trackHover(window->screenToClient(nullptr)); }

void OMTrinket::setBounds(const OMRect& rect) {
    bounds = rect;
    refreshHover();
}

void OMTrinket::assignDirtyRegion(const OMRegion& region) {
    for (std::int32_t b = 0; b < bufferCount(); ++b) dirtyRegion[b] = region;
}

void OMTrinket::unionDirtyRegion(const OMRegion& region) {
    for (std::int32_t b = 0; b < bufferCount(); ++b) dirtyRegion[b] |= region;
}

void OMTrinket::setUpdateMode(std::int32_t mode) {
    for (std::int32_t b = 0; b < bufferCount(); ++b) updateMode[b] = mode;
}

// A partly damaged trinket whose clip kind allows it keeps the damage as its dirty region: its bounding
// rectangle together with what was dirty (kind 1), or the damage added to it (kind 2).
void OMTrinket::noteDamage(std::int32_t b, const OMRegion& damaged) {
    if (!damaged.handle()) return;
    if (clipKind == kRedrawBoundingRect) return setDirty(regionOf(damaged.bounds() | dirtyRegion[b].bounds()));
    addDirty(damaged);
}

OMTrinket::Redraw OMTrinket::redrawFor(std::int32_t b, const OMRegion& present) {
    if (updateMode[b] == kWhollyDirty) return Redraw::whole;
    if (updateMode[b] == kClean && !bounds.intersectsRegion(present)) return Redraw::none;
    if (clipKind != kRedrawWhole && !bounds.isInsideRegion(present)) {
        noteDamage(b, regionOf(bounds) & present);
        if (!bounds.isInside(dirtyRegion[b].bounds())) return Redraw::clipped;
    }
    invalidateAll();
    return Redraw::whole;
}

// A redrawn trinket adds its area to the present region, so every trinket above that it meets is
// redrawn there too; trinkets below are left alone. A clipped draw with nothing dirty draws nothing (an
// empty clip region would mean no clip at all).
void OMTrinket::compose() {
    if (!visible || z < window->zFloor) return;
    const std::int32_t b = window->bufferIndex;
    OMRegion& present = window->presentRegion[b];
    const Redraw how = redrawFor(b, present);
    if (how == Redraw::whole) {
        present |= regionOf(bounds);
        window->flash(bounds);
        draw();
    } else if (how == Redraw::clipped && dirtyRegion[b].handle()) {
        present |= dirtyRegion[b];
        window->flash(dirtyRegion[b]);
        window->offscreen->clip = dirtyRegion[b];
        draw();
        window->offscreen->clip.clear();
    }
    dirtyRegion[b].clear();
    updateMode[b] = kClean;
}

void OMTrinket::captureMouse() {
    if (capture && capture != this) capture->releaseCapture();
    capture = this;
}

void OMTrinket::releaseCapture() {
    if (capture != this) return;
    capture = nullptr;
    invokeLink(captureLostLink);
}

void OMTrinket::passKeyOn() { window->OMWindow::key(); }

void OMTrinket::holdMouse(std::int32_t on, std::int32_t trackHover) {
    if (on) {
        window->pressedTrinket = this;
        holdState = trackHover ? kHeldTrackingHover : kHeldByProgram;
        return;
    }
    if (window->pressedTrinket == this) window->pressedTrinket = nullptr;
    holdState = kFree;
}

void OMTrinket::setTopLayer(std::int32_t layer) {
    if (layer < 0 || layer > 2 || z == kHighestZ + 1 + layer) return;
    z = kHighestZ + 1 + layer;
    resort();
}

std::int32_t OMTrinket::indexInWindow() const {
    std::int32_t index = 0;
    for (OMListElement<OMTrinket>* n = window->trinkets.head; n; n = n->next, ++index) {
        if (n->element == this) return index;
    }
    return -1;
}
