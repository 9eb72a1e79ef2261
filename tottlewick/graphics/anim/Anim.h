// The animation player: the record that activities and actors embed to run an 'XMV' animation, in units
// of 1/600 s, untimed (a fixed step per tick) or following the one animation clock shared by every open
// player.
#pragma once

#include <cstdint>

#include "AnimRes.h"
#include "Clock.h"

constexpr std::uint32_t kAnimHidden = 1;
constexpr std::uint32_t kAnimPaused = 2;
constexpr std::uint32_t kAnimTimed = 4;  // clock-driven
constexpr std::uint32_t kAnimFinished = 8;

// Embedded by its owner. The step comes from the resource's rate, which is unsigned, so a resource never
// runs backwards: an owner runs a player backwards by storing a negative step (and the time to start
// from) in the record.
struct Anim {
    std::uint32_t resId = 0;
    AnimRes anim = 0;
    std::uint32_t duration = 0;
    std::uint32_t flags = 0;
    std::uint16_t reserved[2] = {};
    std::uint16_t seek = 0;
    std::uint32_t clockStart = 0;  // while paused: the elapsed animation time in ms
    std::uint32_t previousTime = 0;
    std::uint32_t previousEvent = 0;
    std::uint32_t time = 0;
    std::uint32_t cursor = 0;
    std::int32_t step = 0;
    std::uint16_t ticks = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// Results: 1 done, 0 not loaded or refused, unless stated.
std::int16_t AnimOpen(Anim* a);
std::int16_t AnimStart(Anim* a);
std::int16_t AnimStartAtUntimed(Anim* a, std::int16_t x, std::int16_t y);
std::int16_t AnimStartOffsetUntimed(Anim* a, std::int16_t dx, std::int16_t dy);
std::int16_t AnimOpenTimed(Anim* a, std::int16_t hold);
std::int16_t AnimStartAt(Anim* a, std::int16_t x, std::int16_t y);
std::int16_t AnimStartOffset(Anim* a, std::int16_t dx, std::int16_t dy);
std::int16_t AnimClose(Anim* a);

// The previous flag.
std::int16_t AnimSetPaused(Anim* a, std::int16_t paused);
std::int16_t AnimSetHidden(Anim* a, std::int16_t hidden);
std::int16_t AnimIsPaused(const Anim* a);
std::int16_t AnimIsFinished(const Anim* a);
std::int16_t AnimIsHidden(const Anim* a);
void AnimSetFlag(Anim* a, std::uint32_t mask, std::int16_t on);

std::int16_t AnimSetPosition(Anim* a, std::int16_t x, std::int16_t y);
std::int16_t AnimGetRect(Anim* a, Rect* out);
std::int16_t AnimRectIsEmpty(Anim* a);
std::int16_t AnimCentre(Anim* a);

std::int16_t AnimInvalidate(const Anim* a);
std::int16_t AnimDraw(const Anim* a, const Rect* clip);
std::int16_t AnimHitTest(const Anim* a, std::int16_t x, std::int16_t y);

// One tick; at the end: stay on the last frame, finished and paused; close; or wrap around.
std::int16_t AnimStepOnce(Anim* a);
std::int16_t AnimStepOnceAndClose(Anim* a);
std::int16_t AnimStepLoop(Anim* a);

// The shared animation clock: its reference while a player is open, else 0.
ClockRef AnimClock();
