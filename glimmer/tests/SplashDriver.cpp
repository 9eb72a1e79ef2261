// Finding and driving the splash dialog with posted mouse and key messages.
#include "SplashDriver.h"

namespace {

BOOL CALLBACK matchDialog(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND findSplashDialog() {
    HWND found = nullptr;
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void pressAndRelease(HWND window, POINT down, POINT up) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
}

void clickAt(HWND window, int x, int y) { pressAndRelease(window, {x, y}, {x, y}); }

void pressKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}
