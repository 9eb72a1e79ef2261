// Drives a splash window of this process as a user would: finds the dialog, clicks, presses keys.
#pragma once

#include <windows.h>

// The visible splash dialog of this process, or null.
HWND findSplashDialog();
// A left click at (x, y) of the window's client area: button down, then up.
void clickAt(HWND window, int x, int y);
// A press and release at `down` and a release at `up` (to test a drag out of a hot spot).
void pressAndRelease(HWND window, POINT down, POINT up);
void pressKey(HWND window, WPARAM key);
