// The plain slider: grey rectangles for the track, the end buttons and the thumb, horizontal or vertical by
// the track's shape. Script class "RSlider".
#pragma once

#include "OMSR.h"
#include "RSliderBase.h"

class RSlider : public RSliderBase {
public:
    // The end buttons are squares of the track's thickness before and after it; the thumb starts at the
    // track's start.
    RSlider(OMTrinketWindow* owner, const OMRect& track, std::int32_t maximum, std::int32_t pageStep);

    // "left top right bottom maximum+1 pageStep" of the track.
    void describe(char* buffer, std::size_t size) override;
    void draw() override;

    // The class's registry record ("RSlider"); referring to it links the class into a program.
    static OMSR classRecord;
};
