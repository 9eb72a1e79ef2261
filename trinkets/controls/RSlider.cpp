// The plain slider's geometry and drawing, and the script class "RSlider".
#include "RSlider.h"

#include <cstdio>
#include <cstdlib>

#include "OMMemCanvas.h"
#include "OMSParameter.h"
#include "OMTrinketWindow.h"

namespace {

constexpr OMColorRecord kTrackColour{0xC000, 0xC000, 0xC000, kColorFromComponents};
constexpr OMColorRecord kPartColour{0x8000, 0x8000, 0x8000, kColorFromComponents};

// Arguments: left, top, right, bottom of the track, maximum, page step.
OMScriptableObject* makeSlider() {
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    std::int32_t v[6];
    for (std::int32_t& value : v) value = std::atoi(popParameter());
    if (!window) return nullptr;
    return new RSlider(window, OMRect{v[0], v[1], v[2], v[3]}, v[4], v[5]);
}

}  // namespace

OMSR RSlider::classRecord{"RSlider", makeSlider};

RSlider::RSlider(OMTrinketWindow* owner, const OMRect& track, std::int32_t maximumValue, std::int32_t page)
    : RSliderBase(owner, maximumValue, page) {
    trackRect = track;
    vertical = track.bottom - track.top > track.right - track.left ? 1 : 0;
    const std::int32_t s = trackThickness();
    lessRect = vertical ? OMRect{track.left, track.top - s, track.right, track.top}
                        : OMRect{track.left - s, track.top, track.left, track.bottom};
    moreRect = vertical ? OMRect{track.left, track.bottom, track.right, track.bottom + s}
                        : OMRect{track.right, track.top, track.right + s, track.bottom};
    thumbRect = offsetRect(lessRect, vertical ? 0 : s, vertical ? s : 0);
    setBounds(lessRect | trackRect | moreRect);
}

void RSlider::describe(char* buffer, std::size_t size) {
    std::snprintf(buffer, size, "%d %d %d %d %d %d", static_cast<int>(trackRect.left), static_cast<int>(trackRect.top),
                  static_cast<int>(trackRect.right), static_cast<int>(trackRect.bottom), static_cast<int>(maximum + 1),
                  static_cast<int>(pageStep));
}

// The frame switch stays as the canvas has it.
void RSlider::draw() {
    OMCanvas& canvas = *window->offscreen;
    canvas.frameColor = colorOf(0, 0, 0);
    canvas.fillColor = kTrackColour;
    canvas.drawRectangle(trackRect);
    canvas.fillColor = kPartColour;
    for (const OMRect& part : {lessRect, moreRect, thumbRect}) canvas.drawRectangle(part);
}
