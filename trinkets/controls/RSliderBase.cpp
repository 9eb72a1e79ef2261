// The sliders' value mapping, mouse handling with repeat, and script face.
#include "RSliderBase.h"

#include <algorithm>

#include "OMAnimation.h"
#include "OMScriptableObjectProperty.h"
#include "OMSystemUtilities.h"
#include "OMTrinketWindow.h"

POINT RSliderBase::lastMousePoint{0, 0};
std::int32_t RSliderBase::pressValue = 0;
std::uint32_t RSliderBase::repeatStart = 0;

namespace {

constexpr std::int32_t kDefaultMaximum = 99;
constexpr std::int32_t kDefaultPage = 5;
constexpr unsigned kLeftButton = 4;

// On the track outside the span from the thumb to the button at the other end: the side of the thumb that
// paging moves toward, not the side behind it.
bool besideThumb(const OMRect& track, const OMRect& thumb, const OMRect& otherButton, POINT point) {
    return rectContains(track, point) && !rectContains(thumb | otherButton, point);
}

}  // namespace

OMAnimation* makeSliderPicture(OMTrinketWindow* owner, std::int16_t id, std::int32_t x, std::int32_t y) {
    OMIStream* stream = OMAnimation::animationHook ? OMAnimation::animationHook(id) : nullptr;
    if (!stream) return nullptr;
    auto* picture = new OMAnimation(owner, stream, x, y);
    if (picture->status() != AseqStatus::ok) {
        delete picture;
        return nullptr;
    }
    picture->pause();
    picture->setFramePosition(1, false);
    picture->setMovable(0);
    picture->setTouchy(0);
    return picture;
}

RSliderBase::RSliderBase(OMTrinketWindow* owner, std::int32_t maximumValue, std::int32_t page)
    : OMTrinket(owner, kRedrawWhole),
      pageStep(page == 0 ? kDefaultPage : page),
      maximum(maximumValue == 0 ? kDefaultMaximum : maximumValue) {}

void RSliderBase::registerProperties() {
    addEventProperty("moved");
    const OMLinkToObj<RSliderBase> set(this, nullptr, &RSliderBase::setPositionText);
    const OMLinkToObj<RSliderBase> get(this, nullptr, &RSliderBase::getPositionText);
    addDataProperty("position", &set, &get);
}

void RSliderBase::getPositionText(OMArg buffer) { writeInteger(buffer, value); }
void RSliderBase::setPositionText(OMArg text) { setValue(integerOf(text) + kSilent); }

std::int32_t RSliderBase::trackLength() const {
    return vertical ? trackRect.bottom - trackRect.top : trackRect.right - trackRect.left;
}

std::int32_t RSliderBase::trackThickness() const {
    return vertical ? trackRect.right - trackRect.left : trackRect.bottom - trackRect.top;
}

// A maximum of 0 leaves the thumb at the start; a travel of 0 leaves it fixed.
void RSliderBase::setValue(std::int32_t v) {
    const bool silent = v >= kSilentFrom;
    if (silent) v -= kSilent;
    v = std::clamp(v, 0, std::max(maximum, 0));
    if (v == value) return;
    value = v;
    const std::int32_t offset = maximum > 0 ? travel() * value / maximum : 0;
    placeThumb(trackRect.left + (vertical ? 0 : offset), trackRect.top + (vertical ? offset : 0));
    invalidateAll();
    if (!silent) signalEvent("moved");
}

// With no travel no point maps to another value.
std::int32_t RSliderBase::valueAtPoint() const {
    if (travel() == 0) return value;
    const std::int32_t p = along(lastMousePoint) - (vertical ? trackRect.top : trackRect.left) - trackThickness() / 2;
    return p * (maximum + 1) / travel();
}

void RSliderBase::placeThumb(std::int32_t x, std::int32_t y) {
    if (thumbRect == kEmptyRect) return;
    thumbRect = offsetRect(thumbRect, x - thumbRect.left, y - thumbRect.top);
}

void RSliderBase::setPressState(std::int32_t state) {
    if (state != kLookReleased && state != kLookPressed) pressState = state;
}

void RSliderBase::setAttribute(std::int32_t index, std::int32_t v, std::int32_t v2) {
    switch (index) {
    case kAttributeX: return moveBy(v - bounds.left, 0);
    case kAttributeY: return moveBy(0, v - bounds.top);
    case kAttributePosition: return moveBy(v - bounds.left, v2 - bounds.top);
    default: return OMTrinket::setAttribute(index, v, v2);
    }
}

void RSliderBase::moveBy(std::int32_t dx, std::int32_t dy) {
    OMTrinket::setAttribute(kAttributePosition, bounds.left + dx, bounds.top + dy);
    for (OMRect* r : {&thumbRect, &trackRect, &lessRect, &moreRect})
        if (!(*r == kEmptyRect)) *r = offsetRect(*r, dx, dy);
}

void RSliderBase::onMouseDown() {
    if (isShiftKeyDown()) return;
    lastMousePoint = POINT{OMTrinketWindow::inputRecord.x, OMTrinketWindow::inputRecord.y};
    pressValue = value;
    if (rectContains(thumbRect, lastMousePoint)) return setPressState(kDragging);
    if (rectContains(lessRect, lastMousePoint)) return setPressState(kHoldingLess);
    if (rectContains(moreRect, lastMousePoint)) return setPressState(kHoldingMore);
    const std::int32_t target = valueAtPoint();
    if (target != value) setPressState(target > value ? kPagingMore : kPagingLess);
}

void RSliderBase::onDrag() {
    const POINT point{OMTrinketWindow::inputRecord.x, OMTrinketWindow::inputRecord.y};
    if (pressState == kDragging) {
        const std::int32_t d = along(point) - along(lastMousePoint);
        if (d != 0 && travel() != 0) setValue(d * maximum / travel() + pressValue);
    } else if (pressState >= kHoldingLess) {
        lastMousePoint = point;
    }
}

void RSliderBase::onMouseUp() {
    setPressState(kIdle);
    repeatStart = 0;
}

// The first tick of a press steps at once, later ones only from a third of a second on; a released
// button ends the press. A step's "moved" handler may delete the slider.
void RSliderBase::tick() {
    if (pressState == kIdle) return;
    const std::uint32_t now = ticks60();
    const std::uint32_t me = serial();
    if (repeatStart == 0) {
        repeatStart = now;
        step();
    } else if (now - repeatStart >= kRepeatDelay) {
        step();
    }
    if (!isAlive(this, me)) return;
    unsigned buttons = 0;
    static_cast<void>(cursorPosition(&buttons));
    if (!(buttons & kLeftButton)) onMouseUp();
}

void RSliderBase::step() {
    switch (pressState) {
    case kHoldingLess: return stepButton(lessRect, -lineStep);
    case kHoldingMore: return stepButton(moreRect, lineStep);
    case kPagingLess: return stepPage(moreRect, -pageStep);
    case kPagingMore: return stepPage(lessRect, pageStep);
    default: return;
    }
}

void RSliderBase::stepButton(const OMRect& button, std::int32_t delta) {
    if (!rectContains(button, lastMousePoint)) return setPressState(kLookReleased);
    setPressState(kLookPressed);
    setValue(value + delta);
}

// Paging stops once the thumb has reached the pointer, after this last step.
void RSliderBase::stepPage(const OMRect& otherButton, std::int32_t delta) {
    if (!besideThumb(trackRect, thumbRect, otherButton, lastMousePoint)) return setPressState(kLookReleased);
    const std::int32_t target = valueAtPoint();
    if (delta < 0 ? target >= value : target <= value) setPressState(kIdle);
    setValue(value + delta);
}
