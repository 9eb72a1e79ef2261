// The animation player's open and close, flags, geometry, drawing and the three ways of stepping.
#include "Anim.h"

#include "UpdateDisplay.h"

namespace {

std::uint16_t openPlayers = 0;
ClockRef animClock = 0;

std::uint32_t clockNow() { return ClockGetElapsed(static_cast<std::uint16_t>(animClock)); }

bool loaded(const Anim* a) { return a && a->anim; }
bool has(const Anim* a, std::uint32_t flag) { return (a->flags & flag) != 0; }

void setFlag(Anim* a, std::uint32_t mask, bool on) {
    if (on) {
        a->flags |= mask;
    } else {
        a->flags &= ~mask;
    }
}

XmvScan scanOf(const Anim* a, bool seek) { return XmvScan{seek, a->previousTime, a->previousEvent, a->time}; }

void invalidateFrame(const Anim* a) {
    std::uint32_t cursor = a->cursor;
    AnimResInvalidateFrame(a->anim, scanOf(a, a->seek != 0), &cursor, a->x, a->y);
}

bool load(Anim* a) {
    if (a->anim) return true;
    a->anim = AnimResLoad(static_cast<std::uint16_t>(a->resId));
    if (!a->anim) return false;
    if (openPlayers++ == 0) {
        animClock = ClockAlloc();
        ClockStart(static_cast<std::uint16_t>(animClock));
    }
    return true;
}

std::int16_t begin(Anim* a, bool timed, bool start) {
    setFlag(a, kAnimTimed, timed);
    if (start) AnimSetPaused(a, 0);
    return 1;
}

std::int16_t opened(Anim* a, bool timed, bool start) { return AnimOpen(a) ? begin(a, timed, start) : 0; }

std::int16_t openAt(Anim* a, bool timed, std::int16_t x, std::int16_t y, bool offset) {
    if (!AnimOpen(a)) return 0;
    a->x = static_cast<std::int16_t>(offset ? a->x + x : x);
    a->y = static_cast<std::int16_t>(offset ? a->y + y : y);
    return begin(a, timed, true);
}

enum class AtEnd { stay, close, loop };

void forward(Anim* a, AtEnd end) {
    const bool timed = has(a, kAnimTimed);
    if (timed) a->step = static_cast<std::int32_t>((clockNow() - a->clockStart) * 3 / 5 - a->time);
    a->time += static_cast<std::uint32_t>(a->step);
    if (a->time < a->duration) return;
    switch (end) {
    case AtEnd::stay:
        a->flags |= kAnimFinished;
        a->step = AnimResGetRate(a->anim);
        a->time = a->duration - static_cast<std::uint32_t>(a->step);
        a->previousEvent = AnimResLastEvent(a->anim, a->time);
        AnimSetPaused(a, 1);
        break;
    case AtEnd::close:
        a->time = a->duration;
        AnimClose(a);
        break;
    case AtEnd::loop:
        a->time -= a->duration;
        a->previousEvent = a->cursor = 0;
        // Rounded up, so that the clock gives back at least this time and the next step is not negative
        // (a negative step would turn the player round).
        if (timed) a->clockStart = clockNow() - (a->time * 5 + 2) / 3;
        break;
    }
}

void backward(Anim* a, AtEnd end) {
    const bool timed = has(a, kAnimTimed);
    if (timed) {
        a->step = static_cast<std::int32_t>(a->duration - (clockNow() - a->clockStart) * 3 / 5 - a->time);
        if (a->step == 0) a->step = -1;
    }
    const std::uint32_t back = 0u - static_cast<std::uint32_t>(a->step);
    if (a->time >= back) {
        a->time -= back;
        return;
    }
    switch (end) {
    case AtEnd::stay:
        a->time = 0;
        AnimSetPaused(a, 1);
        break;
    case AtEnd::close:
        a->time = 0;
        AnimClose(a);
        break;
    case AtEnd::loop:
        a->time = a->duration - 1;
        if (timed) a->clockStart = clockNow();
        break;
    }
}

std::int16_t step(Anim* a, AtEnd end) {
    if (!loaded(a) || has(a, kAnimPaused)) return 0;
    a->previousTime = a->time;
    a->previousEvent = a->cursor;
    ++a->ticks;
    if (a->step >= 0) {
        forward(a, end);
    } else {
        backward(a, end);
    }
    return 1;
}

}  // namespace

ClockRef AnimClock() { return animClock; }

std::int16_t AnimOpen(Anim* a) {
    if (!a || !load(a)) return 0;
    a->duration = AnimResGetDuration(a->anim);
    a->flags = kAnimPaused;
    a->reserved[0] = a->reserved[1] = 0;
    a->seek = static_cast<std::uint16_t>(AnimResFlagIsZero(a->anim));
    a->clockStart = a->previousTime = a->previousEvent = a->time = a->cursor = 0;
    a->step = AnimResGetRate(a->anim);
    Rect bounds{};
    AnimResGetBounds(&bounds, a->anim);
    a->x = bounds.left;
    a->y = bounds.top;
    return 1;
}

std::int16_t AnimStart(Anim* a) { return opened(a, false, true); }
std::int16_t AnimStartAtUntimed(Anim* a, std::int16_t x, std::int16_t y) { return openAt(a, false, x, y, false); }
std::int16_t AnimStartOffsetUntimed(Anim* a, std::int16_t dx, std::int16_t dy) { return openAt(a, false, dx, dy, true); }
std::int16_t AnimStartAt(Anim* a, std::int16_t x, std::int16_t y) { return openAt(a, true, x, y, false); }
std::int16_t AnimStartOffset(Anim* a, std::int16_t dx, std::int16_t dy) { return openAt(a, true, dx, dy, true); }

std::int16_t AnimOpenTimed(Anim* a, std::int16_t hold) {
    if (!opened(a, true, !hold)) return 0;
    if (hold) invalidateFrame(a);
    return 1;
}

std::int16_t AnimClose(Anim* a) {
    if (!loaded(a)) return 0;
    a->flags &= ~kAnimPaused;
    AnimInvalidate(a);
    AnimResFree(&a->anim);
    if (--openPlayers == 0) ClockFree(&animClock);
    return 1;
}

std::int16_t AnimSetPaused(Anim* a, std::int16_t paused) {
    const std::int16_t before = has(a, kAnimPaused) ? 1 : 0;
    if (before == (paused ? 1 : 0)) return before;
    if (paused) {
        AnimInvalidate(a);
        a->flags |= kAnimPaused;
    } else {
        a->flags &= ~kAnimPaused;
        AnimInvalidate(a);
    }
    // While paused the clock start holds the elapsed time, so that the pause does not count.
    if (loaded(a) && has(a, kAnimTimed)) a->clockStart = clockNow() - a->clockStart;
    return before;
}

std::int16_t AnimSetHidden(Anim* a, std::int16_t hidden) {
    const std::int16_t before = has(a, kAnimHidden) ? 1 : 0;
    if (before == (hidden ? 1 : 0)) return before;
    const std::int16_t paused = AnimSetPaused(a, 0);
    if (hidden) {
        AnimInvalidate(a);
        a->flags |= kAnimHidden;
    } else {
        a->flags &= ~kAnimHidden;
        AnimInvalidate(a);
    }
    AnimSetPaused(a, paused);
    return before;
}

std::int16_t AnimIsPaused(const Anim* a) { return has(a, kAnimPaused) ? 1 : 0; }
std::int16_t AnimIsFinished(const Anim* a) { return has(a, kAnimFinished) ? 1 : 0; }
std::int16_t AnimIsHidden(const Anim* a) { return has(a, kAnimHidden) ? 1 : 0; }
void AnimSetFlag(Anim* a, std::uint32_t mask, std::int16_t on) { setFlag(a, mask, on != 0); }

std::int16_t AnimSetPosition(Anim* a, std::int16_t x, std::int16_t y) {
    if (!loaded(a)) return 0;
    a->x = x;
    a->y = y;
    return 1;
}

std::int16_t AnimGetRect(Anim* a, Rect* out) {
    if (!loaded(a)) return 0;
    if (a->time >= a->duration) a->time = a->duration - 1;
    AnimResGetBoundsAt(out, a->anim, a->x, a->y);
    return 1;
}

std::int16_t AnimRectIsEmpty(Anim* a) {
    Rect r{};
    if (!loaded(a) || has(a, kAnimHidden | kAnimPaused)) return 0;
    AnimGetRect(a, &r);
    return RectIsEmpty(&r) ? 1 : 0;
}

std::int16_t AnimCentre(Anim* a) {
    Rect r{}, screen{};
    if (!AnimGetRect(a, &r)) return 0;
    updateDisplayScreenRect(&screen);
    a->x = static_cast<std::int16_t>((screen.right - screen.left - r.right) / 2);
    a->y = static_cast<std::int16_t>((screen.bottom - screen.top - r.bottom) / 2);
    return 1;
}

std::int16_t AnimInvalidate(const Anim* a) {
    if (!loaded(a) || has(a, kAnimHidden | kAnimPaused)) return 0;
    invalidateFrame(a);
    return 1;
}

std::int16_t AnimDraw(const Anim* a, const Rect* clip) {
    if (!loaded(a) || has(a, kAnimHidden)) return 0;
    std::uint32_t cursor = a->cursor;
    AnimResDrawFrame(a->anim, scanOf(a, a->seek != 0), &cursor, a->x, a->y, clip);
    return 1;
}

// From a copy of the cursor, like drawing: the next step starts its scan at the cursor, so a test that
// moved it past the frame's events would blank the frame.
std::int16_t AnimHitTest(const Anim* a, std::int16_t x, std::int16_t y) {
    if (!loaded(a) || has(a, kAnimHidden)) return 0;
    std::uint32_t cursor = a->cursor;
    return AnimResHitTest(a->anim, scanOf(a, false), &cursor, a->x, a->y, x, y);
}

std::int16_t AnimStepOnce(Anim* a) { return step(a, AtEnd::stay); }
std::int16_t AnimStepOnceAndClose(Anim* a) { return step(a, AtEnd::close); }
std::int16_t AnimStepLoop(Anim* a) { return step(a, AtEnd::loop); }
