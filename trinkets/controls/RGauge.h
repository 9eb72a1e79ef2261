// The gauge: a horizontal slider made of an optional background picture and the thumb picture, drawing
// nothing itself. Script class "RGauge".
#pragma once

#include <memory>

#include "OMAnimation.h"
#include "OMSR.h"
#include "RSliderBase.h"

class RGauge : public RSliderBase {
public:
    static constexpr std::int16_t kThumbId = 9667;
    // The bounds without a background picture.
    static constexpr std::int32_t kPlainWidth = 100;
    static constexpr std::int32_t kPlainHeight = 20;

    // The gauge on the window, or null when its thumb or its background picture is missing.
    static RGauge* make(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int32_t backgroundId,
                        std::int32_t maximum, std::int32_t pageStep);

    // "x y backgroundId maximum pageStep".
    void describe(char* buffer, std::size_t size) override;
    void moveBy(std::int32_t dx, std::int32_t dy) override;
    void draw() override {}
    void placeThumb(std::int32_t x, std::int32_t y) override;

    std::int32_t backgroundId;
    std::unique_ptr<OMAnimation> backgroundAnimation;
    std::unique_ptr<OMAnimation> thumbAnimation;

    // The class's registry record ("RGauge"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    RGauge(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int32_t backgroundId, std::int32_t maximum,
           std::int32_t pageStep);
};
