// The slider drawn with pictures: end buttons and thumb from fixed ASEQ resources, their colours matched to
// the window's palette, over a framed grey track 17 pixels thick. Script class "RWSlider".
#pragma once

#include <memory>

#include "OMAnimation.h"
#include "OMSR.h"
#include "RSliderBase.h"

class RWSlider : public RSliderBase {
public:
    static constexpr std::int16_t kLessId = 9668;
    static constexpr std::int16_t kMoreId = 9666;
    static constexpr std::int16_t kThumbId = 9667;
    static constexpr std::int32_t kThickness = 17;

    // The slider on the window, or null when one of its pictures is missing.
    static RWSlider* make(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int32_t length,
                          std::int32_t vertical, std::int32_t maximum, std::int32_t pageStep);

    // "left top length vertical maximum pageStep" of the track.
    void describe(char* buffer, std::size_t size) override;
    void show() override;
    void hide() override;
    void moveBy(std::int32_t dx, std::int32_t dy) override;
    void draw() override;
    // Also shows the released or pressed picture of the part being pressed.
    void setPressState(std::int32_t state) override;
    void placeThumb(std::int32_t x, std::int32_t y) override;

    std::unique_ptr<OMAnimation> thumbAnimation;
    std::unique_ptr<OMAnimation> lessAnimation;
    std::unique_ptr<OMAnimation> moreAnimation;

    // The application's palette matching: takes the window's palette, then finds the entry nearest a colour.
    // Without them the pictures keep their colours.
    static void (*capturePalette)();
    static std::int32_t (*nearestColour)(std::int32_t red, std::int32_t green, std::int32_t blue);
    // The class's registry record ("RWSlider"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    RWSlider(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int32_t length, std::int32_t vertical,
             std::int32_t maximum, std::int32_t pageStep);
    void matchColours();
    // The picture of a press state (thumb, less or more button), or null.
    OMAnimation* pictureOf(std::int32_t state) const;
};
