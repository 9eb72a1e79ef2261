// The one-shot screen transitions of the update manager: each copies the flushed rectangles from the
// offscreen canvas to the window piece by piece, running the idle services while it waits.
#pragma once

#include <cstdint>

#include "Rect.h"

// Every fourth row in 4 passes of 125 ms.
void DisplayRevealBlinds(std::uint16_t count, const Rect* rects);
void DisplayRevealDefault(std::uint16_t count, const Rect* rects);
// 16-pixel columns or rows, one every 50 ms, rectangle after rectangle.
void DisplayWipeRight(std::uint16_t count, const Rect* rects);
void DisplayWipeLeft(std::uint16_t count, const Rect* rects);
void DisplayWipeUp(std::uint16_t count, const Rect* rects);
void DisplayWipeDown(std::uint16_t count, const Rect* rects);
