// The kit clock: one engine clock that times the sprite cyclers and the Mover.
#include "KitClock.h"

#include "Anim.h"
#include "Clock.h"

namespace {

ClockRef kitClock = 0;

std::uint16_t clockIndex() {
    return static_cast<std::uint16_t>(kitClock & 0xFFFF);
}

}  // namespace

// Every clock is marked free only while no animation player is open: the players share one clock that
// must keep running for as long as any of them is open.
void KitClockStart() {
    if (!AnimClock()) ClockInitAll();
    kitClock = ClockAlloc();
    if (!kitClock) return;
    ClockSetElapsed(clockIndex(), 0);
    ClockStart(clockIndex());
    ClockSetElapsed(clockIndex(), 0);
}

void KitClockStop() {
    if (kitClock) {
        ClockStop(clockIndex());
        ClockFree(&kitClock);
    }
    if (!AnimClock()) ClockFreeAll();
}

std::uint32_t KitClockNow() {
    return kitClock ? ClockGetElapsed(clockIndex()) : 0;
}
