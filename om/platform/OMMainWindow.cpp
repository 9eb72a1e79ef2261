// The main window procedure: frame changes, activation, background paint, system commands, menu
// commands and the routing of mouse input to the framework's active window.
#include "OMMainWindow.h"

#include <windowsx.h>

#include "OMApp.h"
#include "OMCursor.h"
#include "OMKeyRouting.h"
#include "OMMenubar.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"

std::int32_t cancelModePending = 0;
std::int32_t rightAndMiddleButtons = 0;

namespace {

// 1 while SC_RESTORE is carried out, and while the procedure moves the window after a display change:
// the window may then move and size in the modes that otherwise forbid it.
std::int32_t restoringMainWindow = 0;
std::int32_t movingForDisplayChange = 0;
// Set by a non-client double click, cleared by the next non-client button-up.
std::int32_t nonClientDoubleClick = 0;

HCURSOR arrowCursor() {
    static const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    return arrow;
}

void drawCaptionInactiveWhenModal(HWND window) {
    if (OMWindow::modalWindow) DefWindowProcA(window, WM_NCACTIVATE, FALSE, 0);
}

bool inputGoesToActiveWindow() { return theApp->active && OMWindow::activeWindow; }

bool isFullScreen() { return theApp->windowMode == 2 || theApp->windowMode == 4; }

std::int32_t widthOf(const OMRect& r) { return r.right - r.left; }
std::int32_t heightOf(const OMRect& r) { return r.bottom - r.top; }

// A maximised active window keeps its frame just outside the main window's client area.
void fitMaximizedActiveWindow(HWND window) {
    OMWindow* active = OMWindow::activeWindow;
    if (!active || !IsZoomed(active->hwnd)) return;
    RECT placed{};
    GetWindowRect(active->hwnd, &placed);
    POINT corner{placed.left, placed.top};
    ScreenToClient(active->hwnd, &corner);
    const int border = -corner.x;
    RECT client{};
    GetClientRect(window, &client);
    SetWindowPos(active->hwnd, nullptr, 0, 0, client.right + 2 * border, client.bottom + 2 * border,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT onMoveOrSize(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (theApp->windowMode == 4) return 0;
    OMRect& frame = theApp->frame;
    if (message == WM_MOVE) {
        const auto word = static_cast<std::uint32_t>(lParam);
        const std::int32_t x = word & 0xFFFF;
        const std::int32_t y = word >> 16;
        frame.set(x, y, x + widthOf(frame), y + heightOf(frame));
    } else {
        RECT placed{};
        GetWindowRect(window, &placed);
        frame.set(placed.left, placed.top, placed.right, placed.bottom);
    }
    const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_MOVE) {
        theApp->moved();
    } else {
        theApp->resized();
        fitMaximizedActiveWindow(window);
    }
    return result;
}

// The background is painted here only (WM_ERASEBKGND defers to it), through the active window's
// palette; a background without colour is not painted at all.
void paintBackground(HWND window) {
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(window, &paintStruct);
    const OMColorRecord& background = theApp->background;
    if (background.index != kNoColor) {
        const OMWndCanvas* canvas = OMWindow::activeWindow ? OMWindow::activeWindow->canvas : nullptr;
        HPALETTE previous = canvas && canvas->palette ? SelectPalette(dc, canvas->palette, FALSE) : nullptr;
        HBRUSH brush = CreateSolidBrush(brushColorOf(background));
        FillRect(dc, &paintStruct.rcPaint, brush);
        if (previous) SelectPalette(dc, previous, FALSE);
        DeleteObject(brush);
    }
    EndPaint(window, &paintStruct);
}

LRESULT onSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
    if (IsIconic(window) || LOWORD(lParam) != HTCLIENT) {
        if (!OMWindow::modalWindow) return DefWindowProcA(window, WM_SETCURSOR, wParam, lParam);
        SetCursor(arrowCursor());
        return 0;
    }
    const OMWndCanvas* canvas = OMWindow::activeWindow ? OMWindow::activeWindow->canvas : nullptr;
    SetCursor(canvas && canvas->cursor ? canvas->cursor->handle : arrowCursor());
    return 0;
}

// Modes 1 to 3 cover the screen and cannot be moved or sized by the user.
void holdFrame(HWND window, WINDOWPOS* position) {
    const std::int32_t mode = theApp->windowMode;
    if (mode < 1 || mode > 3 || IsIconic(window) || restoringMainWindow || movingForDisplayChange) return;
    position->flags |= SWP_NOSIZE | SWP_NOMOVE;
}

void onDisplayChange(HWND window, WPARAM wParam, LPARAM lParam) {
    if (theApp->windowMode == 4) return;
    const std::int32_t previousDepth = theApp->colourDepth;
    theApp->colourDepth = static_cast<std::int32_t>(wParam);
    if (theApp->windowMode == 0) {
        if (theApp->colourDepth != previousDepth) theApp->resized();
    } else {
        const std::int32_t width = LOWORD(lParam);
        const std::int32_t height = HIWORD(lParam);
        if (widthOf(theApp->frame) == width && heightOf(theApp->frame) == height) {
            theApp->resized();
        } else {
            movingForDisplayChange = 1;
            MoveWindow(window, 0, 0, width, height, FALSE);
            movingForDisplayChange = 0;
        }
    }
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void onSetFocus() {
    if (!OMWindow::activeWindow) return;
    reactivateActiveWindow();
    theApp->resume();
    cancelModePending = 0;
}

// Task switching stays possible under a modal window and does not pause.
LRESULT onSystemCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const UINT command = wParam & 0xFFF0;
    const bool switching = command == SC_TASKLIST || command == SC_NEXTWINDOW || command == SC_PREVWINDOW;
    if (OMWindow::modalWindow && !switching) return 0;
    if (command == SC_KEYMENU && isFullScreen()) return 0;
    if (!switching) theApp->pause();
    LRESULT result = 0;
    if (command == kAboutCommand) {
        theApp->about();
    } else {
        if (command == SC_MINIMIZE) {
            theApp->rebuildSystemMenu(1);
            theApp->minimized();
        } else if (command == SC_MAXIMIZE) {
            theApp->rebuildSystemMenu(0);
            theApp->maximized();
        } else if (command == SC_RESTORE) {
            restoringMainWindow = 1;
            theApp->rebuildSystemMenu(0);
            theApp->restored();
        }
        result = DefWindowProcA(window, WM_SYSCOMMAND, wParam, lParam);
        restoringMainWindow = 0;
    }
    theApp->resume();
    return result;
}

// Client mouse messages go to the active window, with the point in its client coordinates.
void forwardMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!inputGoesToActiveWindow()) return;
    HWND target = OMWindow::activeWindow->hwnd;
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(window, target, &point, 1);
    PostMessageA(target, message, wParam, MAKELPARAM(point.x, point.y));
}

LRESULT onNonClientButtonDown(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (OMWindow::modalWindow) return 0;
    theApp->pause();
    const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
    theApp->resume();
    return result;
}

LRESULT onNonClientButtonUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (nonClientDoubleClick) {
        result = DefWindowProcA(window, message, wParam, lParam);
    } else if (inputGoesToActiveWindow()) {
        PostMessageA(OMWindow::activeWindow->hwnd, message, wParam, lParam);
    }
    nonClientDoubleClick = 0;
    return result;
}

LRESULT onNonClientMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCMOUSEMOVE:
        if (inputGoesToActiveWindow()) PostMessageA(OMWindow::activeWindow->hwnd, message, wParam, lParam);
        return 0;
    case WM_NCLBUTTONDOWN: return onNonClientButtonDown(window, message, wParam, lParam);
    case WM_NCLBUTTONUP: return onNonClientButtonUp(window, message, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: nonClientDoubleClick = 1; return DefWindowProcA(window, message, wParam, lParam);
    default: break;
    }
    if (!rightAndMiddleButtons) return 0;
    switch (message) {
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: return onNonClientButtonDown(window, message, wParam, lParam);
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONUP: return onNonClientButtonUp(window, message, wParam, lParam);
    default: nonClientDoubleClick = 1; return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT onActivation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
    case WM_NCACTIVATE: {
        if (wParam) SetFocus(window);
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        drawCaptionInactiveWhenModal(window);
        return result;
    }
    case WM_SETFOCUS: onSetFocus(); return 0;
    case WM_KILLFOCUS:
        if (OMWindow::activeWindow) OMWindow::activeWindow->becomeInactive();
        return 0;
    case WM_ACTIVATEAPP:
        if (LOWORD(wParam)) {
            theApp->activateApp();
        } else {
            theApp->deactivateApp();
        }
        return 0;
    default:
        cancelModePending = 1;
        theApp->pause();
        return 0;
    }
}

LRESULT onKeyboard(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN: return routeKeyDown(wParam);
    case WM_KEYUP:
    case WM_SYSKEYUP: return routeKeyUp(window, message, wParam, lParam);
    case WM_CHAR: routeCharacter(OMWindow::activeWindow, 0); return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_TAB) theApp->pause();
        return DefWindowProcA(window, message, wParam, lParam);
    default: return routeSystemCharacter(window, wParam, lParam);
    }
}

}  // namespace

void reactivateActiveWindow() {
    OMWindow* modal = OMWindow::modalWindow;
    OMWindow::modalWindow = nullptr;
    OMWindow::activeWindow->activate();
    OMWindow::modalWindow = modal;
    drawCaptionInactiveWhenModal(theApp->window);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theApp) return DefWindowProcA(window, message, wParam, lParam);
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) {
        forwardMouse(window, message, wParam, lParam);
        return 0;
    }
    if (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK) return onNonClientMouse(window, message, wParam, lParam);
    switch (message) {
    case WM_MOVE:
    case WM_SIZE: return onMoveOrSize(window, message, wParam, lParam);
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ACTIVATEAPP:
    case WM_CANCELMODE: return onActivation(window, message, wParam, lParam);
    case WM_PAINT: paintBackground(window); return 0;
    case WM_CLOSE: theApp->quitRequested(); return 0;
    case WM_QUERYENDSESSION: theApp->quitRequested(); return theApp->running == 0 ? 1 : 0;
    case WM_ERASEBKGND:
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        return 1;
    case WM_SETCURSOR: return onSetCursor(window, wParam, lParam);
    case WM_WINDOWPOSCHANGING: holdFrame(window, reinterpret_cast<WINDOWPOS*>(lParam)); return 0;
    case WM_DISPLAYCHANGE: onDisplayChange(window, wParam, lParam); return 0;
    case WM_NCPAINT: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        drawCaptionInactiveWhenModal(window);
        return result;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR: return onKeyboard(window, message, wParam, lParam);
    case WM_COMMAND:
        if (theApp->menubar && theApp->menubar->dispatchCommand(wParam)) return 0;
        break;
    case WM_SYSCOMMAND: return onSystemCommand(window, wParam, lParam);
    case WM_INITMENU:
        if (theApp->menubar) theApp->menubar->notifyOpening();
        return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
