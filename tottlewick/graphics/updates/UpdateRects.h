// The rules of the update manager's rectangle lists: dirty rectangles widened to whole 4-pixel columns
// and 2-pixel rows, merged with the entries they nearly cover, and a full list collapsed to the screen.
#pragma once

#include <cstdint>

#include "Rect.h"

// Adds the rectangle to the `count` entries at `rects` (room for `capacity`, at least 1): rounded out
// (left and right to multiples of 4, top and bottom to even rows), cut to the screen (nothing left:
// nothing added), merged with every entry it is close to, and when no room is left the list becomes the
// screen alone. Returns the new count.
std::uint16_t updateAddRect(Rect* rects, std::uint16_t count, std::uint16_t capacity, const Rect& screen,
                            const Rect& rect);
