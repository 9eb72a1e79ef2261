// The application message handler: the deferred deletion of an ended activity, the start-up and
// shutdown, and the user's input routed to the scene in front.
#include <windows.h>

#include <utility>

#include "AppBindings.h"
#include "AppGlobals.h"
#include "AppModule.h"
#include "AppRedraw.h"
#include "AppStart.h"
#include "Cursor.h"
#include "DiscLock.h"
#include "DisplayCanvas.h"
#include "DisplayWindow.h"
#include "KitGlobals.h"
#include "ModuleProcs.h"
#include "Res.h"
#include "Scene.h"
#include "SceneGlobals.h"
#include "SndSample.h"
#include "SpriteCycler.h"
#include "TextStyle.h"
#include "Timer.h"
#include "Update.h"

namespace {

constexpr std::uint16_t kNoInputTimer = 900;
constexpr std::uint16_t kNoInputDelay = 15000;
constexpr std::uint16_t kCyclerSlots = 10;
constexpr WPARAM kResumeSuspend = 7;  // PBT_APMRESUMESUSPEND

// Every input and every module start puts the idle prompt 15 seconds off again.
void restartNoInputTimer(HWND window) {
    TimerKill(window, kNoInputTimer);
    TimerSet(window, kNoInputTimer, kNoInputDelay);
}

void startUp(HWND window) {
    DisplayOpenWindow();
    DiscLockDoor(1);
    ResOpenOverride();
    TextInit();
    CursorInit();
    CursorSetVisible(0);  // scenes draw their own pointer
    SpriteCyclerInit(kCyclerSlots);
    AppSetModule(window, IntroModuleProc, 0);
    UpdateSetRedrawProc(AppRedraw);
}

void shutDown(HWND window) {
    AppSetModule(window, nullptr, 0);
    SceneDeleteActivity();
    delete std::exchange(gPicker, nullptr);
    SndFreeSample(&gClickSample);
    DiscLockDoor(0);
    CursorShutdown();
    TextTerm();
    ResCloseOverride();
    SpriteCyclerShutdown();
}

// A display whose size changed is taken as the new one, and the window is restyled for it.
void displayChanged() {
    AppDisplayInfo measured{};
    AppDisplayInfo& accepted = *AppGetDisplayInfo();
    if (DisplayGetCaps(&measured) && (measured.width != accepted.width || measured.height != accepted.height)) {
        accepted = measured;
        AppSetupWindowClass();
        DisplayApplyWindowMode();
    }
    if (!UpdateGetCurrent()) return;
    Rect screen{};
    DisplayGetScreenRect(&screen);
    UpdateInvalRect(&screen);
}

Point eventPoint(UINT message, LPARAM lParam) {
    Point point{};
    AppGetEventPoint(&point, message, lParam);
    return point;
}

void routeMouse(HWND window, UINT message, LPARAM lParam) {
    restartNoInputTimer(window);
    Scene* target = SceneInFront();
    if (!target) return;
    const Point point = eventPoint(message, lParam);
    if (message == WM_MOUSEMOVE) target->OnMouseMove(point);
    else if (message == WM_LBUTTONDOWN) target->OnMouseDown(point);
    else target->OnMouseUp(point);
}

// The messages that end here answer `handled` with their result; the rest go on to the module.
bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    Scene* target = SceneInFront();
    switch (message) {
    case WM_DESTROY:
    case kAppShutdown:
        shutDown(window);
        result = 0;
        return true;
    case kAppStartup:
        startUp(window);
        result = 0;
        return true;
    case WM_CLOSE:
        if (gPickerInFront) {
            if (gPicker) gPicker->OnCommand(kSceneExitCommand);
        } else {
            AppSetModule(window, PickerModuleProc, WM_CLOSE);
        }
        result = 1;
        return true;
    case WM_SIZE:
    case WM_DISPLAYCHANGE:
        displayChanged();
        break;
    case WM_CHAR:
        restartNoInputTimer(window);
        if (target) target->OnKey();
        break;
    case WM_TIMER:
        if (target) target->OnTimer(static_cast<std::uint32_t>(wParam), static_cast<std::int32_t>(lParam));
        UpdateFlush();
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        routeMouse(window, message, lParam);
        break;
    case WM_POWERBROADCAST:
        if (wParam == kResumeSuspend) PostMessageA(window, WM_DISPLAYCHANGE, 0, 0);
        break;
    case kAppModuleStart:
        restartNoInputTimer(window);
        break;
    case kAppModuleSuspend:
        if (target) target->Pause();
        break;
    case kAppModuleResume:
        if (target) target->Resume();
        break;
    case kAppTick:
        UpdateFlush();
        break;
    case kAppCommand:
        if (target) target->OnCommand(static_cast<std::uint32_t>(wParam));
        break;
    case kAppNotify:
        if (target) target->OnNotify(static_cast<std::uint32_t>(wParam));
        break;
    default:
        break;
    }
    return false;
}

}  // namespace

LRESULT AppMessageHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (gPickerInFront && gActivity) SceneDeleteActivity();  // an activity ended by its module's 10001
    LRESULT result = 0;
    if (handle(window, message, wParam, lParam, result)) return result;
    if (const AppModuleProc module = AppGetModule()) return module(window, message, wParam, lParam);
    return UpdateWindowProc(window, message, wParam, lParam);
}
