// Copying the SMF player's frame buffer into a canvas's 8-bit pixels, clipped to the pixels there are.
// Plain arithmetic on bytes, without Win32.
#pragma once

#include <cstdint>

#include "Rect.h"
#include "SmfFrame.h"

// Rows `step` bytes apart from base (step may be negative); `area` is where pixels exist, as locking a
// canvas's pixels gives it.
struct SmfPixelView {
    std::uint8_t* base;
    std::int32_t step;
    Rect area;
};

// Copies what the frame shows within rect (port coordinates) when its pixel (0, 0) stands at `at`; port
// point p is pixel p + shift of the view. Rows and columns outside the frame or the view's area are left out.
void SmfCopyFrame(const SmfFrameTarget& frame, Point at, const Rect& rect, Point shift, const SmfPixelView& view);
