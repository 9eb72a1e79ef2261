// The frame each animation's last drawing walk found. A redraw asks every animation to draw under every
// dirty rectangle, while a frame changes only when its player steps or moves: with the frame at hand, an
// animation that misses a rectangle is passed over without reading its events and shapes again.
#pragma once

#include <cstdint>

#include "AnimRes.h"

// What a drawing walk found: the union of the valid image rectangles of the events it visited (whatever
// meets a clip lies inside it) and the index it reached.
struct AnimFrame {
    Rect frame{};
    std::uint32_t cursor = 0;
};

// The frame stored for the same animation, scan and position; null when there is none.
const AnimFrame* animFrameFind(AnimRes anim, const XmvScan& scan, std::int16_t x, std::int16_t y);
void animFrameStore(AnimRes anim, const XmvScan& scan, std::int16_t x, std::int16_t y, const AnimFrame& frame);
// Drops the animation's frame; called before its handle is freed, since handles are used again.
void animFrameForget(AnimRes anim);
