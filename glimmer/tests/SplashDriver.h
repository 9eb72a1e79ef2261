// Drives a splash window of this process as a user would: finds the dialog, clicks, presses keys.
#pragma once

#include <windows.h>

// The visible splash dialog (a dialog-class window) of this process, or null.
inline HWND findSplashDialog() {
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr;) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// A press of the left button at `down` and its release at `up` (a drag out of a hot spot).
inline void pressAndRelease(HWND window, POINT down, POINT up) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
}

inline void clickAt(HWND window, int x, int y) { pressAndRelease(window, {x, y}, {x, y}); }

inline void pressKey(HWND window, WPARAM key) { PostMessageA(window, WM_KEYDOWN, key, 1); }
