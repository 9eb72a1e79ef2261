// The picture slider's geometry, colours and looks, and the script class "RWSlider".
#include "RWSlider.h"

#include <cstdio>
#include <cstdlib>

#include "OMCanvas.h"
#include "OMSParameter.h"
#include "OMTrinketWindow.h"

void (*RWSlider::capturePalette)() = nullptr;
std::int32_t (*RWSlider::nearestColour)(std::int32_t, std::int32_t, std::int32_t) = nullptr;

namespace {

constexpr OMColorRecord kTrackColour{0xC000, 0xC000, 0xC000, kColorFromComponents};

// The pictures' own entries and the colours they stand for.
struct ColourMatch { std::uint8_t entry, red, green, blue; };
constexpr ColourMatch kMatches[] = {{18, 175, 175, 175}, {76, 128, 128, 128}, {11, 245, 245, 245}, {58, 0, 0, 0}};

// Arguments: x, y, length, vertical, maximum, page step.
OMScriptableObject* makeWSlider() {
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    std::int32_t v[6];
    for (std::int32_t& value : v) value = std::atoi(popParameter());
    if (!window) return nullptr;
    return RWSlider::make(window, v[0], v[1], v[2], v[3], v[4], v[5]);
}

}  // namespace

OMSR RWSlider::classRecord{"RWSlider", makeWSlider};

RWSlider* RWSlider::make(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int32_t length,
                         std::int32_t vertical, std::int32_t maximum, std::int32_t pageStep) {
    auto* slider = new RWSlider(owner, x, y, length, vertical, maximum, pageStep);
    if (slider->thumbAnimation && slider->lessAnimation && slider->moreAnimation) return slider;
    delete slider;
    return nullptr;
}

RWSlider::RWSlider(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int32_t length, std::int32_t isVertical,
                   std::int32_t maximumValue, std::int32_t page)
    : RSliderBase(owner, maximumValue, page) {
    vertical = isVertical;
    trackRect = vertical ? OMRect{x, y, x + kThickness, y + length} : OMRect{x, y, x + length, y + kThickness};
    lessAnimation.reset(
        makeSliderPicture(owner, kLessId, vertical ? x : x - kThickness, vertical ? y - kThickness : y));
    moreAnimation.reset(makeSliderPicture(owner, kMoreId, vertical ? x : x + length, vertical ? y + length : y));
    thumbAnimation.reset(makeSliderPicture(owner, kThumbId, x, y));
    if (!lessAnimation || !moreAnimation || !thumbAnimation) return;
    matchColours();
    thumbRect = thumbAnimation->bounds;
    lessRect = lessAnimation->bounds;
    moreRect = moreAnimation->bounds;
    setBounds(lessRect | trackRect | moreRect);
}

void RWSlider::matchColours() {
    if (!capturePalette || !nearestColour) return;
    capturePalette();
    // One pass: an entry's new colour may be another match's entry, which must not change again.
    constexpr std::int32_t kCount = sizeof kMatches / sizeof kMatches[0];
    std::uint8_t from[kCount];
    std::uint8_t to[kCount];
    for (std::int32_t k = 0; k < kCount; ++k) {
        from[k] = kMatches[k].entry;
        to[k] = static_cast<std::uint8_t>(nearestColour(kMatches[k].red, kMatches[k].green, kMatches[k].blue));
    }
    for (OMAnimation* picture : {thumbAnimation.get(), lessAnimation.get(), moreAnimation.get()})
        picture->remap(kCount, from, to, -2);
}

void RWSlider::describe(char* buffer, std::size_t size) {
    std::snprintf(buffer, size, "%d %d %d %d %d %d", static_cast<int>(trackRect.left), static_cast<int>(trackRect.top),
                  static_cast<int>(trackLength()), static_cast<int>(vertical), static_cast<int>(maximum),
                  static_cast<int>(pageStep));
}

void RWSlider::show() {
    RSliderBase::show();
    for (OMAnimation* picture : {thumbAnimation.get(), lessAnimation.get(), moreAnimation.get()}) picture->show();
}

void RWSlider::hide() {
    RSliderBase::hide();
    for (OMAnimation* picture : {thumbAnimation.get(), lessAnimation.get(), moreAnimation.get()}) picture->hide();
}

void RWSlider::moveBy(std::int32_t dx, std::int32_t dy) {
    RSliderBase::moveBy(dx, dy);
    for (OMAnimation* picture : {thumbAnimation.get(), lessAnimation.get(), moreAnimation.get()})
        picture->place(picture->bounds.left + dx, picture->bounds.top + dy);
}

void RWSlider::draw() {
    if (!visible) return;
    OMCanvas& canvas = *window->offscreen;
    canvas.fillColor = kTrackColour;
    canvas.frameColor = colorOf(0, 0, 0);
    canvas.fillEnabled = canvas.frameEnabled = 1;
    canvas.drawRectangle(trackRect);
}

OMAnimation* RWSlider::pictureOf(std::int32_t state) const {
    switch (state) {
    case kDragging: return thumbAnimation.get();
    case kHoldingLess: return lessAnimation.get();
    case kHoldingMore: return moreAnimation.get();
    default: return nullptr;
    }
}

// Pictures: 1 the released look, 2 the pressed one.
void RWSlider::setPressState(std::int32_t state) {
    OMAnimation* picture = pictureOf(state <= kLookPressed ? pressState : state);
    if (picture) picture->setFramePosition(state == kIdle || state == kLookReleased ? 1 : 2, false);
    RSliderBase::setPressState(state);
}

void RWSlider::placeThumb(std::int32_t x, std::int32_t y) {
    thumbAnimation->place(x, y);
    RSliderBase::placeThumb(x, y);
}
