// A small table of frames indexed by the handle's entry index; two animations sharing a slot only cost
// each other a walk.
#include "AnimFrameMemo.h"

#include <cstddef>

namespace {

struct Slot {
    AnimRes anim = 0;
    XmvScan scan;
    std::int16_t x = 0;
    std::int16_t y = 0;
    AnimFrame found;
};

constexpr std::size_t kSlots = 64;
Slot slots[kSlots];

Slot& slotOf(AnimRes anim) { return slots[anim % kSlots]; }

bool sameScan(const XmvScan& a, const XmvScan& b) {
    return a.seek == b.seek && a.previousTime == b.previousTime && a.previousEvent == b.previousEvent &&
           a.time == b.time;
}

}  // namespace

const AnimFrame* animFrameFind(AnimRes anim, const XmvScan& scan, std::int16_t x, std::int16_t y) {
    const Slot& slot = slotOf(anim);
    const bool same = anim && slot.anim == anim && slot.x == x && slot.y == y && sameScan(slot.scan, scan);
    return same ? &slot.found : nullptr;
}

void animFrameStore(AnimRes anim, const XmvScan& scan, std::int16_t x, std::int16_t y, const AnimFrame& frame) {
    slotOf(anim) = Slot{anim, scan, x, y, frame};
}

void animFrameForget(AnimRes anim) {
    Slot& slot = slotOf(anim);
    if (slot.anim == anim) slot = Slot{};
}
