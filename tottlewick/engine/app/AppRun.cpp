// The main loop and its idle services.
#include "AppRun.h"

#include <utility>

#include "AppBindings.h"
#include "AppEvents.h"
#include "AppGlobals.h"
#include "AppModule.h"
#include "Clock.h"
#include "DisplayWindow.h"
#include "Menu.h"
#include "SndCache.h"
#include "SndManager.h"
#include "SndPlayControl.h"
#include "SndSeq.h"
#include "Timer.h"

namespace {

constexpr std::uint16_t kTimerPace = 8;  // timers run on every 8th message while messages keep coming

AppIdleService sidService = nullptr;
AppIdleService cacheService = nullptr;
bool suspended = false;
AppTickHook tickHook = nullptr;
AppIdleHook idleHook = nullptr;

// 10008 after every pass, then the test's hook.
void sendTick(WPARAM tookSomething) {
    AppSendMessage(nullptr, kAppTick, tookSomething, 0);
    if (tickHook) tickHook(tookSomething);
}

void runTimers() {
    TimerAdvance();
    TimerDispatch();
}

// One pass after the idle services: a message, else the newest posted event, each followed by timers as
// the loop's pace asks.
void pass(std::uint16_t& messageCount) {
    const UINT taken = AppPumpMessage();
    if (taken) {
        sendTick(1);
        if (taken == WM_QUIT) {
            AppQuit();
            return;
        }
        if (++messageCount % kTimerPace == 0) runTimers();
        return;
    }
    AppPostedEvent event{};
    if (AppTakePostedEvent(&event)) {
        sendTick(1);
        AppSendMessage(event.window, event.message, event.wParam, event.lParam);
    } else {
        sendTick(0);
    }
    runTimers();
}

}  // namespace

AppTickHook AppSetTickHook(AppTickHook hook) {
    return std::exchange(tickHook, hook);
}

AppIdleHook AppSetIdleHook(AppIdleHook hook) {
    return std::exchange(idleHook, hook);
}

void AppRun() {
    std::uint16_t messageCount = 0;
    while (!AppIsQuitting()) {
        AppIdle();
        pass(messageCount);
    }
}

UINT AppPumpMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, kAppMouseFirst, kAppMouseLast, PM_REMOVE) &&
        !PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return 0;
    if (message.message == WM_QUIT) return WM_QUIT;
    if (!MenuTranslateAccelerator(&message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return message.message;
}

std::int16_t AppIdle() {
    SndService();
    if (sidService) sidService();
    SndSeqService();
    SndCacheIdle();
    if (cacheService) cacheService();
    if (idleHook) idleHook();
    return 1;
}

AppIdleService AppSetSidService(AppIdleService service) {
    const AppIdleService previous = sidService;
    sidService = service;
    return previous;
}

AppIdleService AppSetCacheService(AppIdleService service) {
    const AppIdleService previous = cacheService;
    cacheService = service;
    return previous;
}

std::int16_t AppSuspend() {
    if (suspended) return 0;
    suspended = true;
    ClockSuspendAll();
    TimerPause(1);
    SndPauseAllPlays();
    SndPauseAll();
    SndDeactivateWindow(DisplayGetWindow());
    AppSendMessage(DisplayGetWindow(), kAppModuleSuspend, 0, 0);
    return 1;
}

std::int16_t AppResume() {
    if (!suspended) return 0;
    suspended = false;
    SndActivateWindow(DisplayGetWindow());
    SndResumeAll();
    SndResumeAllPlays();
    TimerPause(0);
    ClockResumeAll();
    AppSendMessage(DisplayGetWindow(), kAppModuleResume, 0, 0);
    return 1;
}
