// Helpers of the window tests: an application per test, a log that handler links write to, and runs
// of the real main loop for a number of passes.
#pragma once

#include <cstdio>
#include <functional>

#include "OMApp.h"
#include "OMSystemUtilities.h"
#include "OMTask.h"
#include "OMWindow.h"
#include "TestSupport.h"

// What handlers saw, in order.
inline std::string handlerLog;

// A link that appends its text to the log.
inline void logText(OMArg text) { handlerLog += reinterpret_cast<const char*>(text); }
inline OMLinkToFct logLink(const char* text) { return OMLinkToFct(logText, reinterpret_cast<OMArg>(text)); }

// The current message as a handler reads it: "name message wParam x,y " (message and wParam in hex).
inline void logCurrentMessage(OMArg name) {
    MSG message;
    getCurrentMessage(&message);
    const POINT at = currentMessagePoint();
    char line[96];
    std::snprintf(line, sizeof line, "%s %x %x %ld,%ld ", reinterpret_cast<const char*>(name), message.message,
                  static_cast<unsigned>(message.wParam), at.x, at.y);
    handlerLog += line;
}
inline OMLinkToFct messageLink(const char* name) {
    return OMLinkToFct(logCurrentMessage, reinterpret_cast<OMArg>(name));
}

// Runs the application's main loop for `passes` passes. Step k runs in the k-th time slice (the first after
// the loop's start-up flush of pending input); a posted message is dispatched in the pass after its step.
class LoopRun {
public:
    LoopRun(int passes, std::vector<std::function<void()>> steps) : passesLeft(passes), script(std::move(steps)) {
        const OMLinkToObj<LoopRun> slice(this, &LoopRun::slice);
        OMTask task(&slice, 0);
        appendTask(&task);
        theApp->active = 1;
        theApp->waiting = 0;
        theApp->runMessageLoop();
    }

private:
    void slice() {
        if (next < script.size()) script[next++]();
        if (--passesLeft <= 0) theApp->quit();
    }
    int passesLeft;
    std::vector<std::function<void()>> script;
    std::size_t next = 0;
};

// A window's client area in its parent's client coordinates, as "left,top,right,bottom".
inline std::string clientPlace(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    char text[64];
    std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
    return text;
}

// Posts a message to a window, as a loop step.
inline std::function<void()> post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return [=] { PostMessageA(window, message, wParam, lParam); };
}

// A fresh application in the given window mode for each test, 640 x 480 in mode 0.
struct WindowFixture : ::testing::Test {
    void SetUp() override {
        handlerLog.clear();
        setAppInstance(GetModuleHandleA(nullptr));
        static_cast<void>(findRunningInstance(appInstance()));
    }
    void makeApp(std::int32_t mode = 0) {
        const OMRect frame{0, 0, 640, 480};
        app = std::make_unique<OMApp>(mode, &frame, nullptr, displayBitsPerPixel(0));
        app->active = 1;
    }
    // Windows made before the application goes.
    void TearDown() override {
        windows.clear();
        app.reset();
    }
    OMWindow* makeWindow(const OMRect& frame, std::int32_t kind = kFrameNone) {
        windows.push_back(std::make_unique<OMWindow>(&frame, kind, 0));
        return windows.back().get();
    }
    std::unique_ptr<OMApp> app;
    std::vector<std::unique_ptr<OMWindow>> windows;
};
