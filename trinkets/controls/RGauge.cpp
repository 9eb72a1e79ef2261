// The gauge's geometry from its pictures, and the script class "RGauge".
#include "RGauge.h"

#include <cstdio>
#include <cstdlib>

#include "OMSParameter.h"
#include "OMTrinketWindow.h"

namespace {

// Arguments: x, y, background id, maximum, page step.
OMScriptableObject* makeGauge() {
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    std::int32_t v[5];
    for (std::int32_t& value : v) value = std::atoi(popParameter());
    if (!window) return nullptr;
    return RGauge::make(window, v[0], v[1], v[2], v[3], v[4]);
}

}  // namespace

OMSR RGauge::classRecord{"RGauge", makeGauge};

RGauge* RGauge::make(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int32_t backgroundId,
                     std::int32_t maximum, std::int32_t pageStep) {
    auto* gauge = new RGauge(owner, x, y, backgroundId, maximum, pageStep);
    if (gauge->thumbAnimation && (backgroundId == 0 || gauge->backgroundAnimation)) return gauge;
    delete gauge;
    return nullptr;
}

// The end zones are two heights wide; the thumb is centred across the track between them.
RGauge::RGauge(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int32_t background,
               std::int32_t maximumValue, std::int32_t page)
    : RSliderBase(owner, maximumValue, page), backgroundId(background) {
    OMRect area{x, y, x + kPlainWidth, y + kPlainHeight};
    if (backgroundId != 0) {
        backgroundAnimation.reset(makeSliderPicture(owner, static_cast<std::int16_t>(backgroundId), x, y));
        if (!backgroundAnimation) return;
        area = backgroundAnimation->bounds;
    }
    const std::int32_t h = area.bottom - area.top;
    lessRect = OMRect{x, y, x + 2 * h, y + h};
    moreRect = OMRect{area.right - 2 * h, y, area.right, y + h};
    thumbAnimation.reset(makeSliderPicture(owner, kThumbId, x + 2 * h, 0));
    if (!thumbAnimation) return;
    const std::int32_t d = (h - (thumbAnimation->bounds.bottom - thumbAnimation->bounds.top)) / 2;
    trackRect = OMRect{x + 2 * h, y + d, area.right - 2 * h, y + h - d};
    thumbAnimation->place(trackRect.left, trackRect.top);
    thumbRect = thumbAnimation->bounds;
    setBounds(area);
}

void RGauge::describe(char* buffer, std::size_t size) {
    std::snprintf(buffer, size, "%d %d %d %d %d", static_cast<int>(bounds.left), static_cast<int>(bounds.top),
                  static_cast<int>(backgroundId), static_cast<int>(maximum), static_cast<int>(pageStep));
}

void RGauge::moveBy(std::int32_t dx, std::int32_t dy) {
    RSliderBase::moveBy(dx, dy);
    for (OMAnimation* picture : {backgroundAnimation.get(), thumbAnimation.get()})
        if (picture) picture->place(picture->bounds.left + dx, picture->bounds.top + dy);
}

void RGauge::placeThumb(std::int32_t x, std::int32_t y) {
    thumbAnimation->place(x, y);
    RSliderBase::placeThumb(x, y);
}
