// The kit's hover pointer.
#include "HoverPointer.h"

#include "CommandButton.h"
#include "DisplayCanvas.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "SndChannel.h"
#include "SndPlay.h"
#include "SndSample.h"

namespace {

constexpr std::uint16_t kNoChannel = 0xFFFF;
constexpr Point kHoverOffset{-21, 0};
constexpr Point kCentre{320, 240};
constexpr std::int16_t kHoverPriority = -32767;
constexpr std::uint16_t kFullVolume = 1024;

bool inside(const Rect& r, Point p) {
    return p.h >= r.left && p.h < r.right && p.v >= r.top && p.v < r.bottom;
}

}  // namespace

HoverPointer::HoverPointer(std::uint32_t hoverAnimId, std::uint16_t xpkId, std::uint16_t shapeIndex,
                           std::uint32_t animId)
    : PointerSprite(xpkId, shapeIndex, animId), hover_(hoverAnimId) {
    Init(hoverAnimId);
}

HoverPointer::~HoverPointer() {
    if (hovering_) StopHover();
    SndFreeSample(&hoverSample_);
    hover_.Close();
    if (gCurrentPointer == this) gCurrentPointer = nullptr;
}

void HoverPointer::Init(std::uint32_t hoverAnimId) {
    hovering_ = 0;
    hoverSample_ = SndLoadSample(static_cast<std::uint16_t>(hoverAnimId));
    hover_.OpenHeld();
    DisplayGetScreenRect(&screen_);
}

void HoverPointer::StartHover(std::uint32_t actorId) {
    if (hovering_) StopHover();
    hovering_ = 1;
    hoveredActor_ = actorId;
    savedOffset_ = SetOffset(kHoverOffset);
    Invalidate();
    const std::int16_t channel = SndPlaySample(hoverSample_, kHoverPriority, kFullVolume, 0);
    hoverChannel_ = channel < 0 ? kNoChannel : static_cast<std::uint16_t>(channel);
    hover_.StartAt(position_.h, position_.v);
}

// The saved offset is put back only after a hover: a click-only button fires without one, and the
// module's own offset stands.
void HoverPointer::StopHover() {
    if (hovering_) offset_ = savedOffset_;
    hovering_ = 0;
    hover_.Close();
    if (hoverChannel_ != kNoChannel) {
        SndChannelStop(static_cast<std::int16_t>(hoverChannel_));
        hoverChannel_ = kNoChannel;
    }
    MoveTo(KitMouseLocation());
    Invalidate();
}

void HoverPointer::MoveTo(Point point) {
    if (!inside(screen_, point)) {
        Point back{static_cast<std::int16_t>(position_.h - offset_.h), static_cast<std::int16_t>(position_.v - offset_.v)};
        if (!inside(screen_, back)) {
            back = kCentre;
            position_ = kCentre;
            Invalidate();
        }
        KitMoveMouse(back);
        return;
    }
    const Point target{static_cast<std::int16_t>(point.h + offset_.h), static_cast<std::int16_t>(point.v + offset_.v)};
    if (!hovering_) {
        PointerSprite::MoveTo(target);
        return;
    }
    AnimInvalidate(&hover_.Record());
    position_ = target;
    AnimSetPosition(&hover_.Record(), target.h, target.v);
}

void HoverPointer::Draw(const Rect* clip) {
    if (!visible_) return;
    if (!hovering_) PointerSprite::Draw(clip);
    else if (clip) hover_.Draw(clip);
}

// The hovered button fires once the hover animation has played to its end.
void HoverPointer::Tick() {
    if (!hovering_) {
        PointerSprite::Tick();
        return;
    }
    AnimInvalidate(&hover_.Record());
    if (hover_.Tick() != ClipState::ended) return;
    StopHover();
    if (CommandButton* button = CommandButton::ButtonFind(static_cast<std::int32_t>(hoveredActor_))) button->Fire();
}
