// The module stack and the application message road.
#include "AppModule.h"

#include "AppBindings.h"
#include "Canvas.h"
#include "DisplayCanvas.h"
#include "DisplayWindow.h"

namespace {

struct Modules {
    AppModuleProc current = nullptr;
    AppModuleProc stack[kAppModuleStackDepth] = {};
    std::uint16_t depth = 0;
};

Modules modules;
bool shutdownSent = false;

LPARAM asParam(AppModuleProc module) { return reinterpret_cast<LPARAM>(module); }

bool isShutdown(UINT message) { return message == kAppShutdown || message == WM_DESTROY; }

// 10007 to the current module: true when it may end.
bool currentMayEnd(HWND window) {
    return !modules.current || AppSendMessage(window, kAppMayEnd, 0, 0) != 0;
}

void endCurrent(HWND window, WPARAM argument, AppModuleProc next) {
    if (modules.current) AppSendMessage(window, kAppModuleEnd, argument, asParam(next));
}

void startCurrent(HWND window, UINT message, WPARAM argument, AppModuleProc previous) {
    if (!modules.current) return;
    AppSendMessage(window, message, argument, asParam(previous));
    AppFlushInput();
}

}  // namespace

LRESULT AppSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (isShutdown(message)) {
        if (shutdownSent) return 0;
        shutdownSent = true;
    }
    return AppMessageHandler(window, message, wParam, lParam);
}

void AppArmShutdown() { shutdownSent = false; }

AppModuleProc AppSetModule(HWND window, AppModuleProc module, WPARAM argument) {
    const AppModuleProc previous = modules.current;
    if (!currentMayEnd(window)) return previous;
    endCurrent(window, argument, module);
    while (modules.depth > 0) {
        modules.current = modules.stack[--modules.depth];
        endCurrent(window, argument, module);
    }
    modules.current = module;
    startCurrent(window, kAppModuleStart, argument, previous);
    return previous;
}

AppModuleProc AppGetModule() { return modules.current; }

AppModuleProc AppPushModule(HWND window, AppModuleProc module, WPARAM argument) {
    if (modules.depth == kAppModuleStackDepth) return nullptr;
    const AppModuleProc previous = modules.current;
    if (previous) AppSendMessage(window, kAppModuleSuspend, argument, asParam(module));
    modules.stack[modules.depth++] = previous;
    modules.current = module;
    startCurrent(window, kAppModuleStart, argument, previous);
    return previous;
}

AppModuleProc AppPopModule(HWND window, WPARAM argument) {
    if (modules.depth == 0) return nullptr;
    const AppModuleProc ended = modules.current;
    const AppModuleProc below = modules.stack[modules.depth - 1];
    if (!currentMayEnd(window)) return ended;
    endCurrent(window, argument, below);
    --modules.depth;
    modules.current = below;
    startCurrent(window, kAppModuleResume, argument, ended);
    return ended;
}

AppModuleProc AppReplaceModule(HWND window, AppModuleProc module, WPARAM argument) {
    const AppModuleProc previous = modules.current;
    endCurrent(window, argument, module);
    modules.current = module;
    if (module) AppSendMessage(window, kAppModuleStart, argument, asParam(previous));
    AppFlushInput();
    return previous;
}

std::uint16_t AppGetModuleDepth() { return modules.depth; }

void AppFlushInput() {
    MSG message;
    while (PeekMessageA(&message, nullptr, kAppKeyFirst, kAppKeyLast, PM_REMOVE)) {
    }
    while (PeekMessageA(&message, nullptr, kAppMouseFirst, kAppMouseLast, PM_REMOVE)) {
    }
}

LRESULT CALLBACK AppDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAppMayEnd) return 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

void AppGetEventPoint(Point* point, UINT message, LPARAM lParam) {
    POINT at{};
    if (message >= kAppMouseFirst && message <= kAppMouseLast) {
        at = {static_cast<std::int16_t>(LOWORD(lParam)), static_cast<std::int16_t>(HIWORD(lParam))};
    } else {
        GetCursorPos(&at);
        ScreenToClient(DisplayGetWindow(), &at);
    }
    PointSet(point, static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y));
    if (const Canvas canvas = DisplayGetWindowCanvas()) CanvasFromDevice(point, canvas);
}
