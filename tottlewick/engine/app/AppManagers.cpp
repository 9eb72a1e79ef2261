// Manager start and shutdown. Both are tables: a start row names its failure message and the point of
// the teardown chain from which the managers already running are torn down.
#include "AppManagers.h"

#include <windows.h>

#include "AppBindings.h"
#include "AppBox.h"
#include "AppModule.h"
#include "AppRun.h"
#include "AppStart.h"
#include "Cache.h"
#include "Clock.h"
#include "DisplayCanvas.h"
#include "DisplayPalette.h"
#include "DisplayWindow.h"
#include "File.h"
#include "GraphicsAlert.h"
#include "MemHandle.h"
#include "Menu.h"
#include "Palette.h"
#include "ShapeMgr.h"
#include "Sid.h"
#include "SndManager.h"
#include "SndRequest.h"
#include "Str.h"
#include "Stream.h"
#include "Timer.h"
#include "Update.h"
#include "UpdateDisplay.h"

namespace {

constexpr std::uint16_t kFrameTimer = 1;
constexpr std::uint16_t kFrameInterval = 30;

struct Step {
    const char* name;
    void (*run)();
};

// The teardown chain of a failed start, in order.
enum Teardown {
    kFreeOffscreen,
    kFreeWindowCanvas,
    kSndRequestTerm,
    kSndShutdown,
    kCloseWindow,
    kTimerTerm,
    kMenuShowBar,
    kMenuTerm,
    kStreamTerm,
    kPalMgrTerm,
    kShapeMgrTerm,
    kFileTerm,
    kMemTerm,
    kClockFreeAll,
    kTeardownSteps  // the end of the chain: nothing to tear down
};

HWND mainWindow() { return DisplayGetWindow(); }

const Step kTeardown[kTeardownSteps] = {
    {"DisplayFreeOffscreenCanvas", DisplayFreeOffscreenCanvas},
    {"DisplayFreeWindowCanvas", DisplayFreeWindowCanvas},
    {"SndRequestTerm", SndRequestTerm},
    {"SndShutdown", [] { SndShutdown(); }},
    {"DisplayCloseWindow", DisplayCloseWindow},
    {"TimerTerm", TimerTerm},
    {"MenuShowBar", MenuShowBar},
    {"MenuTerm", [] { MenuTerm(); }},
    {"StreamTerm", StreamTerm},
    {"PalMgrTerm", [] { PalMgrTerm(); }},
    {"ShapeMgrTerm", ShapeMgrTerm},
    {"FileTerm", FileTerm},
    {"MemTerm", [] { MemTerm(); }},
    {"ClockFreeAll", ClockFreeAll},
};

// A start step: true when it started. Steps without a message cannot fail and name no teardown entry.
struct StartStep {
    const char* name;
    bool (*start)();
    std::uint32_t message;
    const char* text;
    Teardown entry;
};

// The screen rectangle set again (placing the picture in the window), then the whole offscreen picture
// filled with colour 0.
void fillOffscreen() {
    Rect screen{};
    DisplayGetScreenRect(&screen);
    DisplaySetScreenRect(&screen);
    DisplayBeginOffscreenDraw();
    DisplayFillRect(nullptr, 0);
    DisplayEndOffscreenDraw();
}

// The application's start-up, with the SID player's envelopes and the file cache served from the idle pass
// on; from here on its shutdown message gets through once.
void startApplication() {
    AppSetSidService(SidServiceAll);
    AppSetCacheService([] { CacheServe(); });
    AppArmShutdown();
    AppSendMessage(mainWindow(), kAppStartup, 0, 0);
}

const StartStep kStart[] = {
    {"ShapeMgrInit", [] { return ShapeMgrInit() != 0; }, 3, "Failed to initialize packed shape manager", kFileTerm},
    {"PalMgrInit", [] { return PalMgrInit() != 0; }, 4, "Failed to initialize palette manager", kShapeMgrTerm},
    {"StreamInit", [] { return StreamInit() != 0; }, 5, "Failed to initialize stream manager", kPalMgrTerm},
    {"TimerInit", [] { return TimerInit(), true; }, 0, nullptr, kTeardownSteps},
    {"DisplayOpenWindow", [] { return DisplayOpenWindow() == 0; }, 6, "Failed to open application window", kTimerTerm},
    {"SndInit", [] { return SndInit(mainWindow(), 8, 2, 16, 44100) == 0; }, 7,
     "Waveform device not found, or may be in use by another application. Please quit the other application "
     "before starting Tottlewick.",
     kCloseWindow},
    {"SndRequestInit", [] { return SndRequestInit(), true; }, 0, nullptr, kTeardownSteps},
    {"SndActivateWindow", [] { return SndActivateWindow(mainWindow()) == 0; }, 8, "Failed to activate sound window",
     kSndRequestTerm},
    {"DisplayCreateWindowCanvas", [] { return DisplayCreateWindowCanvas(mainWindow()) != 0; }, 9,
     "Failed to create main window canvas", kSndRequestTerm},
    {"DisplayCreateDefaultOffscreen", [] { return DisplayCreateDefaultOffscreen() == 0; }, 10,
     "Failed to create offscreen canvas", kFreeWindowCanvas},
    {"DisplaySetScreenRect", [] { return fillOffscreen(), true; }, 0, nullptr, kTeardownSteps},
    {"UpdateInit", [] { return UpdateInit(kUpdateCapacity) != 0; }, 11, "Failed to create dirty rect list",
     kFreeOffscreen},
    {"TimerSet", [] { return TimerSet(mainWindow(), kFrameTimer, kFrameInterval), true; }, 0, nullptr,
     kTeardownSteps},
    {"10004", [] { return startApplication(), true; }, 0, nullptr, kTeardownSteps},
};

AppStepHook stepHook = nullptr;

// False when the hook fails the step.
bool announce(const char* name) { return !stepHook || stepHook(name); }

void run(const Step& step) {
    announce(step.name);
    step.run();
}

void tearDownFrom(Teardown entry) {
    for (int i = entry; i < kTeardownSteps; ++i) run(kTeardown[i]);
}

}  // namespace

AppStepHook AppSetStepHook(AppStepHook hook) {
    const AppStepHook previous = stepHook;
    stepHook = hook;
    return previous;
}

std::int16_t AppInitManagers(std::int16_t) {
    UpdateSetDisplay(DisplayUpdateServices());
    GraphicsSetAlert(AppAlert);
    for (const StartStep& step : kStart) {
        const bool canFail = step.message != 0;
        if ((announce(step.name) || !canFail) && step.start()) continue;
        if (!canFail) continue;
        AppAlert(StrGetMessage(step.message, step.text));
        tearDownFrom(step.entry);
        return 0;
    }
    return 1;
}

void AppShutdown() {
    const Step steps[] = {
        {"10005", [] { AppSendMessage(mainWindow(), kAppShutdown, 0, 0); }},
        {"TimerKillAll", [] { TimerKillAll(mainWindow()); }},
        {"AppSetModule", [] { AppSetModule(mainWindow(), nullptr, 0); }},
        {"SndDeactivateWindow", [] {
             if (SndGetWindow() == mainWindow()) SndDeactivateWindow(mainWindow());
         }},
        {"AppCloseEarlyResources", AppCloseEarlyResources},
        {"UpdateTerm", UpdateTerm},
        kTeardown[kSndRequestTerm],
        kTeardown[kSndShutdown],
        kTeardown[kCloseWindow],
        kTeardown[kFreeOffscreen],
        kTeardown[kFreeWindowCanvas],
        kTeardown[kTimerTerm],
        kTeardown[kMenuShowBar],
        kTeardown[kMenuTerm],
        kTeardown[kStreamTerm],
        kTeardown[kPalMgrTerm],
        kTeardown[kShapeMgrTerm],
        kTeardown[kFileTerm],
        kTeardown[kMemTerm],
        kTeardown[kClockFreeAll],
    };
    for (const Step& step : steps) run(step);
}
