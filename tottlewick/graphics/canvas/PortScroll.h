// Scrolling a rectangle of a port's pixels: memory canvases by moving their rows or columns, other ports
// through the system's device-context scroll; the strip left uncovered is given back to be filled.
#pragma once

#include <cstdint>

#include "Canvas.h"

// Moves the pixels of rect (clipped to the port's bounds) by dy (up when negative); uncovered receives the
// strip the move left behind, empty when nothing moved. A zero amount does nothing.
void PortScrollVertical(Canvas port, Rect* uncovered, const Rect* rect, std::int16_t dy);
void PortScrollHorizontal(Canvas port, Rect* uncovered, const Rect* rect, std::int16_t dx);
// Both moves; uncovered receives the union of the two strips.
void PortScroll(Canvas port, Rect* uncovered, const Rect* rect, std::int16_t dx, std::int16_t dy);
