// Engine timers on the engine clock.
#include "Timer.h"

#include "EngineClock.h"

namespace {

struct TimerSlot {
    std::uint16_t id = 0;
    HWND window = nullptr;  // null: the slot is free
    std::uint16_t interval = 0;
    std::uint16_t remaining = 0;
    std::uint32_t lastUpdate = 0;
};

struct TimerTime {
    std::uint32_t lastUpdate = 0;
    std::uint32_t accumulated = 0;
    bool running = false;
};

TimerSlot slots[kTimerSlots];
std::uint16_t lastDispatched = 0;
TimerTime timerTime;

void updateTimerTime() {
    const std::uint32_t now = ClockMilliseconds();
    if (timerTime.running) timerTime.accumulated += now - timerTime.lastUpdate;
    timerTime.lastUpdate = now;
}

}  // namespace

std::int16_t TimerInit() {
    for (TimerSlot& slot : slots) slot = TimerSlot{};
    lastDispatched = 0;
    timerTime = {ClockMilliseconds(), 0, false};
    return 0;
}

void TimerTerm() {}

std::int16_t TimerSet(HWND window, std::uint16_t id, std::uint16_t interval) {
    for (TimerSlot& slot : slots) {
        if (slot.window) continue;
        slot = {id, window, interval, interval, ClockMilliseconds()};
        return 0;
    }
    return 1;
}

std::int16_t TimerKill(HWND window, std::uint16_t id) {
    for (TimerSlot& slot : slots) {
        if (slot.window != window || slot.id != id) continue;
        slot = TimerSlot{};
        return 0;
    }
    return 1;
}

void TimerKillAll(HWND window) {
    for (TimerSlot& slot : slots) {
        if (slot.window == window) slot = TimerSlot{};
    }
}

std::int16_t TimerCount() {
    std::int16_t count = 0;
    for (const TimerSlot& slot : slots) count += slot.window ? 1 : 0;
    return count;
}

// The elapsed time is kept in 32 bits: a gap of more than 65.5 s (a modal box) still makes a timer due.
void TimerAdvance() {
    const std::uint32_t now = ClockMilliseconds();
    for (TimerSlot& slot : slots) {
        const std::uint32_t elapsed = now - slot.lastUpdate;
        slot.lastUpdate = now;
        slot.remaining = slot.remaining <= elapsed ? 0 : static_cast<std::uint16_t>(slot.remaining - elapsed);
    }
}

void TimerDispatch() {
    for (int step = 1; step <= kTimerSlots; ++step) {
        const std::uint16_t index = static_cast<std::uint16_t>((lastDispatched + step) % kTimerSlots);
        TimerSlot& slot = slots[index];
        if (!slot.window || slot.remaining != 0) continue;
        slot.remaining = slot.interval;
        lastDispatched = index;
        SendMessageA(slot.window, WM_TIMER, slot.id, 0);
        return;
    }
}

std::int16_t TimerPause(std::uint16_t pause) {
    updateTimerTime();
    const std::int16_t wasPaused = timerTime.running ? 0 : 1;
    timerTime.running = pause == 0;
    return wasPaused;
}

std::uint32_t TimerGetRunningTime() {
    updateTimerTime();
    return timerTime.accumulated;
}

std::uint32_t TimerGetLastUpdate() {
    updateTimerTime();
    return timerTime.lastUpdate;
}
