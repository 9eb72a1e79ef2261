// Clocks: 64 millisecond stopwatches that activities allocate, start, stop, read and set, and that are
// all suspended together while the program is in the background.
#pragma once

#include <cstdint>

constexpr int kClockCount = 64;
constexpr std::uint32_t kClockTag = 0xCACA0000;  // a reference is the tag | the clock's index; 0 is none

using ClockRef = std::uint32_t;

// Clear the in-use, suspended and running marks of every clock.
void ClockInitAll();
void ClockFreeAll();
// The lowest free clock, stopped at 0; 0 when all 64 are in use.
ClockRef ClockAlloc();
// Frees the clock and zeroes the reference.
void ClockFree(ClockRef* clock);
// The operations below take the index (the reference's low half) and do nothing for a clock not in use.
void ClockStart(std::uint16_t index);
void ClockStop(std::uint16_t index);
std::uint32_t ClockGetElapsed(std::uint16_t index);
void ClockSetElapsed(std::uint16_t index, std::uint32_t ms);
std::int16_t ClockIsRunning(std::uint16_t index);
void ClockSuspendAll();
void ClockResumeAll();
