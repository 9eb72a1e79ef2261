// The framework's windows: the class-wide activation state and mouse capture that the application uses.
#pragma once

#include <cstdint>

// The framework window. Only the activation and capture state is here so far; a window's paint and
// activation hooks are virtual, so derived windows follow the application when it gains activation.
class OMWindow {
public:
    OMWindow() = default;
    OMWindow(const OMWindow&) = delete;
    OMWindow& operator=(const OMWindow&) = delete;
    virtual ~OMWindow();

    virtual void paint() {}
    virtual void becomeActive() {}
    virtual void becomeInactive() {}
    // Makes this the active window: the previous active window becomes inactive first.
    void activate();

    // Clears the capture flag and releases the Win32 capture when a window captured the mouse.
    static void releaseMouse();

    static OMWindow* activeWindow;
    static OMWindow* modalWindow;
    static std::int32_t mouseCaptured;
};
