// Activation, close requests and the About command of the main window.
#include "OMMainWindow.h"

#include "OMApp.h"

std::int32_t cancelModePending = 0;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theApp) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_ACTIVATEAPP:
        if (LOWORD(wParam)) {
            theApp->activateApp();
        } else {
            theApp->deactivateApp();
        }
        return 0;
    case WM_CLOSE:
        theApp->quitRequested();
        return 0;
    case WM_QUERYENDSESSION:
        theApp->quitRequested();
        return theApp->running == 0 ? 1 : 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != kAboutCommand) break;
        theApp->about();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
