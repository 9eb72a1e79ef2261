// The trinket window's input: the hit rule, mouse and key dispatch to trinket hooks and script events,
// input outside every trinket, and hover tracking.
//
// Every hook and event may delete the trinket it concerns (its destructor clears pressedTrinket and the
// hover trinket), so each step first checks that the trinket still holds the mouse.
#include "OMMemCanvas.h"
#include "OMSystemUtilities.h"
#include "OMTBackground.h"
#include "OMTrinket.h"
#include "OMTrinketWindow.h"
#include "OMWndCanvas.h"

OMTrinket* OMTrinketWindow::trinketAt(POINT point) const {
    for (OMListElement<OMTrinket>* n = trinkets.tail; n; n = n->previous) {
        OMTrinket* t = n->element;
        if (t->touchy && t->visible && !(t->inputMask & kNoMouseDown) && t->z >= zFloor && t->hitTest(point)) return t;
    }
    return nullptr;
}

void OMTrinketWindow::pickTrinket(POINT point) { pressedTrinket = trinketAt(point); }

void OMTrinketWindow::resetPointer() {
    lastPoint = {0, 0};
    inputRecord.x = inputRecord.y = 0;
}

void OMTrinketWindow::key() {
    if (inputDisabled) return;
    inputRecord.kind = kInputKey;
    if (activityLink) activityLink->invokeWith(reinterpret_cast<OMArg>(&inputRecord));
    OMTrinket* holder = OMTrinket::captureTrinket();
    if (!holder) return OMWindow::key();
    if (!(holder->inputMask & kNoKey)) holder->onKey();
}

void OMTrinketWindow::takeMouse(std::int32_t inputKind, void (OMTrinketWindow::*dispatch)(POINT)) {
    if (inputDisabled) return;
    const POINT point = currentMessagePoint();
    inputRecord = {inputKind, point.x, point.y};
    if (inputKind == kInputMouseMove && mouseMoveLink) mouseMoveLink->invokeWith(reinterpret_cast<OMArg>(&inputRecord));
    if (activityLink) activityLink->invokeWith(reinterpret_cast<OMArg>(&inputRecord));
    (this->*dispatch)(point);
}

void OMTrinketWindow::mouseDown() { takeMouse(kInputMouseDown, &OMTrinketWindow::dispatchMouseDown); }
void OMTrinketWindow::mouseUp() { takeMouse(kInputMouseUp, &OMTrinketWindow::dispatchMouseUp); }
void OMTrinketWindow::mouseMove() { takeMouse(kInputMouseMove, &OMTrinketWindow::dispatchMouseMove); }
void OMTrinketWindow::doubleClick() { takeMouse(kInputDblClick, &OMTrinketWindow::dispatchDblClick); }

// Inside the window the background's link takes the input unless its mask refuses it; otherwise the
// window's own handler slot.
void OMTrinketWindow::toBackground(OMLink* OMTBackground::*link, std::uint32_t maskBit, POINT point,
                                   OMLink* (OMWindow::*slot)() const) {
    OMLink* taker = background ? background->*link : nullptr;
    const OMRect area{0, 0, offscreen->width(), offscreen->height()};
    if (taker && !(background->inputMask & maskBit) && rectContains(area, point)) {
        POINT handed = point;
        return taker->invokeWith(reinterpret_cast<OMArg>(&handed));
    }
    if (OMLink* handler = (this->*slot)()) handler->invoke();
}

// A press on a movable trinket holds it (and lifts it above its equals); a fixed one is let go at once.
void OMTrinketWindow::dispatchMouseDown(POINT point) {
    if (!pressedTrinket) pickTrinket(point);
    OMTrinket* t = pressedTrinket;
    if (t && !(t->inputMask & kNoMouseDown)) {
        t->onMouseDown();
        if (pressedTrinket == t) t->signalEvent("mouseDown");
        if (pressedTrinket == t && t->isMovable()) {
            t->restack();
            if (showCursors && pressedTrinket == t) t->showDownCursor();
            if (pressedTrinket == t && t->holdState == kFree) t->holdState = kHeldByPress;
        } else if (pressedTrinket == t && t->holdState == kFree) {
            pressedTrinket = nullptr;
        }
    } else {
        pressedTrinket = nullptr;
        toBackground(&OMTBackground::mouseDownLink, kBackgroundNoMouseDown, point, &OMWindow::mouseDownHandler);
    }
    lastPoint = point;
}

// "mouseUp" reaches only a trinket that holds the mouse: one pressed while movable, or held by holdMouse.
void OMTrinketWindow::dispatchMouseUp(POINT point) {
    OMTrinket* t = pressedTrinket;
    if (t && !(t->inputMask & kNoMouseUp)) {
        t->overshootX = t->overshootY = 0;
        if (showCursors) t->showCursor();
        if (pressedTrinket == t) t->snapToGrid();
        if (pressedTrinket == t) t->onMouseUp();
        if (pressedTrinket == t) t->signalEvent("mouseUp");
        if (pressedTrinket == t && t->holdState == kHeldByPress) {
            t->holdState = kFree;
            pressedTrinket = nullptr;
        }
    } else {
        toBackground(&OMTBackground::mouseUpLink, kBackgroundNoMouseUp, point, &OMWindow::mouseUpHandler);
    }
    trackHover(point);
}

// Dragging raises no script event: only onDrag hears it, then a movable trinket follows the mouse.
void OMTrinketWindow::dispatchMouseMove(POINT point) {
    OMTrinket* t = pressedTrinket;
    if (t && !(t->inputMask & kNoDrag)) {
        std::int32_t dx = point.x - lastPoint.x;
        std::int32_t dy = point.y - lastPoint.y;
        t->onDrag();
        if (pressedTrinket == t && t->isMovable()) t->offsetBy(dx, dy);
        if (pressedTrinket == t && t->holdState == kHeldTrackingHover) trackHover(point);
    } else {
        toBackground(&OMTBackground::mouseMoveLink, kBackgroundNoMouseMove, point, &OMWindow::mouseMoveHandler);
        trackHover(point);
    }
    lastPoint = point;
}

void OMTrinketWindow::dispatchDblClick(POINT point) {
    if (!pressedTrinket) pickTrinket(point);
    OMTrinket* t = pressedTrinket;
    if (t && !(t->inputMask & kNoDblClick)) {
        t->onDblClick();
        if (pressedTrinket == t) t->signalEvent("dblClick");
        if (pressedTrinket == t && t->holdState == kFree) pressedTrinket = nullptr;
    } else {
        pressedTrinket = nullptr;
        toBackground(&OMTBackground::dblClickLink, kBackgroundNoDblClick, point, &OMWindow::doubleClickHandler);
    }
}

// No hover changes while a drag holds the mouse, nor from inside "flyOn" and "flyOff" handlers, nor while
// the window closes.
void OMTrinketWindow::trackHover(POINT point) {
    if (hoverGuard || closing) return;
    if (pressedTrinket && pressedTrinket->holdState != kHeldTrackingHover) return;
    OMTrinket* t = trinketAt(point);
    if (t == hoverTrinket) return;
    hoverGuard = 1;
    updateHover(t);
    hoverGuard = 0;
}

// Handlers may delete either trinket: the old one clears hoverTrinket as it goes, the new one leaves the list.
void OMTrinketWindow::updateHover(OMTrinket* t) {
    OMTrinket* old = hoverTrinket;
    if (old && !(old->inputMask & kNoFlyOff)) {
        old->onFlyOff();
        if (hoverTrinket == old) old->signalEvent("flyOff");
    }
    if (t && !trinkets.contains(t)) t = nullptr;
    hoverTrinket = t;
    if (!t) {
        if (showCursors && OMTrinket::noTrinketCursor) canvas->setCursor(OMTrinket::noTrinketCursor);
        return;
    }
    if (!(t->inputMask & kNoFlyOn)) {
        t->onFlyOn();
        if (hoverTrinket == t) t->signalEvent("flyOn");
    }
    if (hoverTrinket == t && showCursors) t->showCursor();
}
