// The kit clock: one engine clock that times the sprite cyclers and the Mover.
#pragma once

#include <cstdint>

// Marks every engine clock free (unless an animation player holds the shared one), then takes one and
// starts it at 0.
void KitClockStart();
// Stops and frees the kit clock and, unless an animation player is open, every other clock.
void KitClockStop();
// The kit clock's elapsed milliseconds; 0 when it is not running.
std::uint32_t KitClockNow();
