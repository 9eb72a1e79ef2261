// The animation spots and their table's mouse tracking.
#include "AnimSpot.h"

#include "AppBindings.h"
#include "KitGlobals.h"

AnimSpot::AnimSpot() = default;

AnimSpot::~AnimSpot() {
    KitUnregister(gSpots, this);
    ShapeBankFree(&highlightBank_);
    ShapeBankFree(&hitBank_);
}

void AnimSpot::Load(std::uint32_t animId, std::uint32_t commandId, std::uint16_t clickable,
                    std::uint16_t withHitBank) {
    clickable_ = clickable;
    LoadHeld(animId);
    commandId_ = commandId;
    KitRegister(gSpots, this);
    if (!withHitBank) return;
    hitBank_ = ShapeBankLoad(static_cast<std::uint16_t>(animId));
    const Rect frame = FrameBounds();
    hitX_ = frame.left;
    hitY_ = frame.top;
}

void AnimSpot::moveToPosition() {
    if (x_ != kOwnPosition || y_ != kOwnPosition) AnimSetPosition(&Record(), x_, y_);
}

void AnimSpot::SetPosition(std::int16_t x, std::int16_t y) {
    x_ = x;
    y_ = y;
    moveToPosition();
}

void AnimSpot::Play(std::uint32_t animId) {
    AnimClip::Load(animId, 1);
    moveToPosition();
}

void AnimSpot::Replay() {
    AnimClip::Play(0);
    moveToPosition();
}

void AnimSpot::SetVisible(std::uint16_t on) {
    AnimSetHidden(&Record(), on ? 0 : 1);
    visible_ = on;
}

void AnimSpot::SetHighlightBank(std::uint16_t xpkId, std::uint16_t mode) {
    highlightMode_ = mode;
    highlightBank_ = ShapeBankLoad(xpkId);
}

ShapeBank AnimSpot::SetHitBank(std::uint16_t xpkId) {
    const ShapeBank previous = hitBank_;
    hitBank_ = ShapeBankLoad(xpkId);
    hitX_ = hitY_ = 0;
    return previous;
}

void AnimSpot::SetRect(const Rect& rect) {
    hitRect_ = rect;
    hasRect_ = 1;
}

// A spot that cannot be clicked acts at once when the mouse comes over it.
void AnimSpot::SetHighlight(std::uint16_t on) {
    if (!clickable_) {
        if (on) KitPost(kAppCommand, commandId_);
        return;
    }
    if (!highlightBank_) return;
    highlightShown_ = on;
    ShapeInvalidate(highlightBank_, 0, 0, 0, 0);
}

bool AnimSpot::hits(Point point) {
    if (hitBank_) return ShapeHitTest(point.h, point.v, hitBank_, 0, hitX_, hitY_, 0) != 0;
    if (hasRect_) {
        return point.h >= hitRect_.left && point.h < hitRect_.right && point.v >= hitRect_.top &&
               point.v < hitRect_.bottom;
    }
    return AnimHitTest(&Record(), point.h, point.v) != 0;
}

AnimSpot* AnimSpot::AnimSpotFind(std::int32_t commandId) {
    for (AnimSpot* spot : gSpots) {
        if (spot && static_cast<std::int32_t>(spot->commandId_) == commandId) return spot;
    }
    return nullptr;
}

void AnimSpot::AnimSpotsTrackMouse(Point point) {
    std::int32_t hovered = kNoKitId;
    for (AnimSpot* spot : gSpots) {
        if (spot && spot->hits(point)) {
            hovered = static_cast<std::int32_t>(spot->commandId_);
            break;
        }
    }
    if (hovered == gSpotHovered) return;
    AnimSpot* previous = AnimSpotFind(gSpotHovered);
    if (AnimSpot* next = hovered == kNoKitId ? nullptr : AnimSpotFind(hovered); next && next->visible_) {
        next->SetHighlight(1);
    }
    if (previous && previous->visible_) previous->SetHighlight(0);
    gSpotHovered = hovered;
}

void AnimSpot::AnimSpotsMouseDown() {
    gSpotPressed = gSpotHovered;
}

void AnimSpot::AnimSpotsMouseUp(Point point) {
    if (gSpotPressed == kNoKitId) return;
    AnimSpot* spot = AnimSpotFind(gSpotPressed);
    if (!spot || !spot->visible_ || !spot->clickable_ || !AnimHitTest(&spot->Record(), point.h, point.v)) return;
    KitPost(kAppCommand, spot->commandId_);
    spot->SetHighlight(0);
}

void AnimSpot::AnimSpotsTickAll() {
    for (AnimSpot* spot : gSpots) {
        if (spot && spot->visible_ && spot->Tick() == ClipState::ended) KitPost(kAppNotify, spot->commandId_);
    }
}

void AnimSpot::AnimSpotsDrawAll(const Rect* clip) {
    for (AnimSpot* spot : gSpots) {
        if (!spot || !spot->visible_) continue;
        spot->Draw(clip);
        const bool overlay = spot->highlightMode_ == 1 || AnimIsPaused(&spot->Record());
        if (spot->highlightShown_ && spot->highlightBank_ && overlay) {
            ShapeDraw(nullptr, spot->highlightBank_, 0, 0, 0, 0);
        }
    }
}
