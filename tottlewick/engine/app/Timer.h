// Engine timers: five slots polled from the main loop instead of the system's window timers, each
// delivering WM_TIMER to its window, at most one per run and due slots in turn; and the timer time, the
// running milliseconds that stop while the program is in the background.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int kTimerSlots = 5;

// Clears every slot and starts the timer time (stopped, nothing accumulated); 0.
std::int16_t TimerInit();
void TimerTerm();
// 0, or 1 when all five slots are in use.
std::int16_t TimerSet(HWND window, std::uint16_t id, std::uint16_t interval);
// 0, or 1 when no slot has that window and id.
std::int16_t TimerKill(HWND window, std::uint16_t id);
void TimerKillAll(HWND window);
std::int16_t TimerCount();
// Takes the time passed since each slot's last update off its remaining time, which stops at 0.
void TimerAdvance();
// Sends WM_TIMER for the first due slot after the last one dispatched, and rearms it.
void TimerDispatch();
// Stops (1) or restarts (0) the timer time; 1 when it was stopped before the call.
std::int16_t TimerPause(std::uint16_t pause);
std::uint32_t TimerGetRunningTime();
std::uint32_t TimerGetLastUpdate();
