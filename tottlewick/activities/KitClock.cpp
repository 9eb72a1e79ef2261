// The kit clock: one engine clock that times the sprite cyclers and the Mover.
#include "KitClock.h"

#include "Clock.h"

namespace {

ClockRef kitClock = 0;

std::uint16_t clockIndex() {
    return static_cast<std::uint16_t>(kitClock & 0xFFFF);
}

}  // namespace

void KitClockStart() {
    ClockInitAll();
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
    ClockFreeAll();
}

std::uint32_t KitClockNow() {
    return kitClock ? ClockGetElapsed(clockIndex()) : 0;
}
