// The arithmetic of dragging a sprite: where the mouse may go so that the sprite's frame stays inside
// the drag limits, and a mouse point held to that range.
#pragma once

#include "Rect.h"

// For a grab at `mouse` on a sprite whose frame is `frame`.
Rect spriteDragRange(const Rect& limits, const Rect& frame, Point mouse);
// Below the left or top edge: that edge; at or beyond the right or bottom edge: that edge, so that the
// frame may touch the limits' right and bottom edges.
Point spriteDragClamp(const Rect& range, Point point);
