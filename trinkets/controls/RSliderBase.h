// The shared part of the sliders and the gauge: an integer value between 0 and a maximum, a thumb moving
// along a track, end buttons stepping by one, presses on the track paging, held presses repeating on the
// 1/60-second clock, and the script face ("moved", "position").
#pragma once

#include <cstdint>

#include "OMTrinket.h"

class OMAnimation;

// A picture of a slider: the ASEQ of that id at (x, y), its own sequencer stopped on its first picture, not
// movable and not touchy; null when the data is missing or damaged.
OMAnimation* makeSliderPicture(OMTrinketWindow* owner, std::int16_t id, std::int32_t x, std::int32_t y);

class RSliderBase : public OMTrinket {
public:
    // What the mouse is doing to the slider.
    enum PressState : std::int32_t {
        kIdle = 0,
        kLookReleased = 1,  // setPressState only: the released look, the state kept
        kLookPressed = 2,   // setPressState only: the pressed look, the state kept
        kDragging = 3,
        kHoldingLess = 4,
        kHoldingMore = 5,
        kPagingLess = 6,
        kPagingMore = 7
    };
    // A value of kSilentFrom or more given to setValue is taken less kSilent and changes silently.
    static constexpr std::int32_t kSilentFrom = 10000;
    static constexpr std::int32_t kSilent = 20000;
    // Sixtieths of a second a press waits before it repeats.
    static constexpr std::uint32_t kRepeatDelay = 20;

    // A maximum of 0 becomes 99, a page step of 0 becomes 5.
    RSliderBase(OMTrinketWindow* owner, std::int32_t maximum, std::int32_t pageStep);

    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;
    // Sliders never show a trinket cursor.
    void showDownCursor() override { showDefaultCursor(); }
    void showCursor() override { showDefaultCursor(); }
    void restack() override {}
    void onMouseDown() override;
    void onMouseUp() override;
    void onDrag() override;
    void onDblClick() override { onMouseDown(); }
    void offsetBy(std::int32_t&, std::int32_t&) override {}
    // Moves through the position attributes go to moveBy.
    void setAttribute(std::int32_t index, std::int32_t value, std::int32_t value2) override;
    void tick() override;

    // Moves the trinket and its rectangles.
    virtual void moveBy(std::int32_t dx, std::int32_t dy);
    // Stores the state unless it is one of the two looks.
    virtual void setPressState(std::int32_t state);
    // Puts the thumb's left-top corner at (x, y).
    virtual void placeThumb(std::int32_t x, std::int32_t y);

    // Clamped to 0..maximum; a change places the thumb, repaints and, unless silent, raises "moved".
    void setValue(std::int32_t v);
    // The value under the last mouse point.
    std::int32_t valueAtPoint() const;
    // The track's extent along the axis and across it, and the thumb's travel (their difference).
    std::int32_t trackLength() const;
    std::int32_t trackThickness() const;
    std::int32_t travel() const { return trackLength() - trackThickness(); }

    std::int32_t vertical = 0;
    OMRect thumbRect = kEmptyRect;
    OMRect trackRect = kEmptyRect;
    OMRect lessRect = kEmptyRect;
    OMRect moreRect = kEmptyRect;
    std::int32_t pageStep;
    std::int32_t maximum;
    std::int32_t lineStep = 1;
    std::int32_t value = 0;
    std::int32_t pressState = kIdle;

    // One mouse, so one press at a time for all sliders.
    static POINT lastMousePoint;
    static std::int32_t pressValue;
    // The 1/60-second time of the press's first step; 0 = none.
    static std::uint32_t repeatStart;

private:
    // The work of a due tick in the current press state.
    void step();
    void stepButton(const OMRect& button, std::int32_t delta);
    void stepPage(const OMRect& otherButton, std::int32_t delta);
    std::int32_t along(POINT point) const { return vertical ? point.y : point.x; }
    void getPositionText(OMArg buffer);
    void setPositionText(OMArg text);
};
