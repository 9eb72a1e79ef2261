// The main loop: the idle services, one message per pass (mouse messages first), the posted events newest
// first, the engine timers, and the tick 10008 after every pass; and the whole-program pause and resume.
#pragma once

#include <windows.h>

#include <cstdint>

// Runs until the quit flag is set or WM_QUIT is taken.
void AppRun();
// A test seam: called after every 10008 with its wParam (1 when the pass took something); returns the
// previous hook, null for none.
using AppTickHook = void (*)(WPARAM tookSomething);
AppTickHook AppSetTickHook(AppTickHook hook);
// A test seam: called at the end of every AppIdle, also those of the waits inside a pass (screen
// transitions, fades); returns the previous hook, null for none.
using AppIdleHook = void (*)();
AppIdleHook AppSetIdleHook(AppIdleHook hook);
// Takes one message: its number, 0 when the queue was empty, WM_QUIT (18) undispatched.
UINT AppPumpMessage();
// The idle services of one pass: sound, the SID player, the sound sequence, the sound preload cache and
// the background file cache; 1.
std::int16_t AppIdle();

// The idle services of managers that are registered rather than linked: the SID player and the
// background file cache. Each setter returns the previous service (null: none).
using AppIdleService = void (*)();
AppIdleService AppSetSidService(AppIdleService service);
AppIdleService AppSetCacheService(AppIdleService service);

// Whole-program pause and resume of clocks, timer time and sound, with 10002 and 10003 to the
// application; 1 when the state changed.
std::int16_t AppSuspend();
std::int16_t AppResume();
