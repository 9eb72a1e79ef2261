// The framework's windows: their window handle and canvas, the class-wide window lists, activation
// state and mouse capture.
#pragma once

#include <windows.h>

#include <cstdint>

#include "OMList.h"

class OMCursor;
class OMWndCanvas;

// The framework window. A window's paint and activation hooks are virtual, so derived windows follow
// the application when it gains activation.
class OMWindow {
public:
    OMWindow() = default;
    OMWindow(const OMWindow&) = delete;
    OMWindow& operator=(const OMWindow&) = delete;
    // Leaves both window lists and deletes the canvas.
    virtual ~OMWindow();

    virtual void paint() {}
    virtual void becomeActive() {}
    virtual void becomeInactive() {}
    // Makes this the active window: the previous active window becomes inactive first.
    void activate();

    // Clears the capture flag and releases the Win32 capture when a window captured the mouse.
    static void releaseMouse();
    // Every window of both lists whose canvas shows `cursor` drops it.
    static void cursorDestroyed(OMCursor* cursor);

    // Owned.
    OMWndCanvas* canvas = nullptr;
    HWND hwnd = nullptr;

    static OMList<OMWindow> windows;
    static OMList<OMWindow> modalWindows;
    static OMWindow* activeWindow;
    static OMWindow* modalWindow;
    static std::int32_t mouseCaptured;
};
