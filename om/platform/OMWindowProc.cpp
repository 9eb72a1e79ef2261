// The window procedure of the framework's windows: painting, cursor, activation by click, system
// commands, native control notifications and mouse dispatch to the active window.
#include <windowsx.h>

#include "OMApp.h"
#include "OMCursor.h"
#include "OMNControl.h"
#include "OMPopUpMenu.h"
#include "OMSurface.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"

namespace {

HCURSOR arrowCursor() {
    static const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    return arrow;
}

void fillClient(HWND window, HDC dc, COLORREF color) {
    RECT client{};
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
}

// A record without colour leaves the background as it is.
void fillClient(HWND window, HDC dc, const OMColorRecord& color) {
    if (color.index != kNoColor) fillClient(window, dc, brushColorOf(color));
}

POINT pointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LPARAM lParamOf(POINT point) { return MAKELPARAM(point.x, point.y); }

// A non-client mouse message posted again as its client message (message number + 0x160).
void postAsClientMessage(HWND window, UINT clientMessage, WPARAM wParam, LPARAM lParam) {
    POINT point = pointOf(lParam);
    ScreenToClient(window, &point);
    PostMessageA(window, clientMessage, wParam, lParamOf(point));
}

// The frame of a maximised window lies outside the main window's client area.
void limitMaximizedSize(MINMAXINFO* info) {
    RECT client{};
    GetClientRect(theApp->window, &client);
    info->ptMaxSize.x = client.right - 2 * info->ptMaxPosition.x;
    info->ptMaxSize.y = client.bottom - 2 * info->ptMaxPosition.y;
}

}  // namespace

LRESULT CALLBACK OMWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    OMWindow* target = theApp ? fromHandle(window) : nullptr;
    if (!target) return DefWindowProcA(window, message, wParam, lParam);
    return target->handleMessage(message, wParam, lParam);
}

LRESULT OMWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOVE:
    case WM_SIZE: {
        const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        if (message == WM_MOVE) {
            moved();
        } else {
            sized();
        }
        return result;
    }
    case WM_SETFOCUS:
        activate();
        SetFocus(theApp->window);
        return 0;
    case WM_PAINT: handlePaint(); return 0;
    case WM_CLOSE:
        if (kind >= kFrameCaption) closeRequested();
        return 0;
    case WM_ERASEBKGND:
        eraseBackground(reinterpret_cast<HDC>(wParam));
        UpdateWindow(hwnd);
        return 1;
    case WM_SETCURSOR:
        if (IsIconic(hwnd) || LOWORD(lParam) != HTCLIENT) return DefWindowProcA(hwnd, message, wParam, lParam);
        setCursorShape();
        return 0;
    case WM_MOUSEACTIVATE:
        if (theApp->active && HIWORD(lParam) == WM_LBUTTONDOWN) activate();
        return 0;
    case WM_GETMINMAXINFO: limitMaximizedSize(reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(icon ? icon->icon : defaultIcon);
    case WM_WINDOWPOSCHANGING:
        if (inSystemMoveSize) reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_NOZORDER;
        return 0;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONUP: postAsClientMessage(hwnd, message + (WM_MOUSEMOVE - WM_NCMOUSEMOVE), wParam, lParam); return 0;
    case WM_NCLBUTTONDOWN: return handleNonClientButtonDown(wParam, lParam);
    case WM_SYSCOMMAND: return handleSystemCommand(wParam, lParam);
    case WM_COMMAND:
    case WM_VKEYTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return handleControlMessage(message, wParam, lParam);
    case WM_MOUSEMOVE: dispatchMouse(&OMWindow::mouseMove, message, wParam, lParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: dispatchMouse(&OMWindow::mouseDown, message, wParam, lParam); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: dispatchMouse(&OMWindow::mouseUp, message, wParam, lParam); return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: dispatchMouse(&OMWindow::doubleClick, message, wParam, lParam); return 0;
    case WM_PARENTNOTIFY: notifyControlUnderPoint(wParam, lParam); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// In DirectDraw mode the window paints after the paint cycle, once its primary surface is usable: a lost
// surface that cannot be restored skips the handler, and the next WM_PAINT tries again.
void OMWindow::handlePaint() {
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(hwnd, &paintStruct);
    if (directDrawActive) {
        EndPaint(hwnd, &paintStruct);
        if (restoreIfLost(canvas->surface)) paint();
        return;
    }
    if (IsIconic(hwnd)) {
        DrawIcon(dc, 0, 0, icon ? icon->icon : defaultIcon);
    } else {
        paint();
    }
    EndPaint(hwnd, &paintStruct);
}

// The active window's palette (this window's when none is active) maps the background colour.
void OMWindow::eraseBackground(HDC dc) {
    if (IsIconic(hwnd)) {
        if (!icon) return fillClient(hwnd, dc, static_cast<COLORREF>(0x00FFFFFF));
        return fillClient(hwnd, dc, icon->background);
    }
    if (!canvas) return;
    const OMWndCanvas* mapping = activeWindow && activeWindow->canvas ? activeWindow->canvas : canvas;
    HPALETTE previous = mapping->palette ? SelectPalette(dc, mapping->palette, FALSE) : nullptr;
    fillClient(hwnd, dc, canvas->backgroundColor);
    if (previous) SelectPalette(dc, previous, FALSE);
}

void OMWindow::setCursorShape() {
    if (canvas && canvas->cursorSuppressed) {
        SetCursor(nullptr);
        return;
    }
    const OMWndCanvas* shown = activeWindow ? activeWindow->canvas : nullptr;
    SetCursor(shown && shown->cursor ? shown->cursor->handle : arrowCursor());
}

LRESULT OMWindow::handleNonClientButtonDown(WPARAM wParam, LPARAM lParam) {
    if (modalWindow && modalWindow != this) {
        postAsClientMessage(hwnd, WM_LBUTTONDOWN, wParam, lParam);
        return 0;
    }
    theApp->pause();
    if (activeWindow != this) activate();
    const LRESULT result = DefWindowProcA(hwnd, WM_NCLBUTTONDOWN, wParam, lParam);
    theApp->resume();
    return result;
}

// The window's handlers run before a maximise or restore and after a minimise. Alt+'-' on a window
// without system menu is swallowed.
LRESULT OMWindow::handleSystemCommand(WPARAM wParam, LPARAM lParam) {
    if (modalWindow && modalWindow != this) return 0;
    theApp->pause();
    const UINT command = wParam & 0xFFF0;
    switch (command) {
    case SC_SIZE:
    case SC_MOVE: inSystemMoveSize = 1; break;
    case SC_MAXIMIZE:
        inSystemMoveSize = 1;
        if (IsIconic(hwnd)) maximizingFromIcon = 1;
        maximized();
        break;
    case SC_RESTORE:
        inSystemMoveSize = 1;
        if (IsIconic(hwnd)) restoringFromIcon = 1;
        restored();
        break;
    default: break;
    }
    const bool swallowed = command == SC_KEYMENU && lParam == '-' && kind <= kFrameBorder;
    const LRESULT result = swallowed ? 0 : DefWindowProcA(hwnd, WM_SYSCOMMAND, wParam, lParam);
    if (command == SC_MINIMIZE) {
        minimized();
        if (modalWindow) {
            restack(1);
        } else {
            activateNext();
        }
    }
    inSystemMoveSize = restoringFromIcon = maximizingFromIcon = 0;
    theApp->resume();
    return result;
}

// Menu commands (lParam 0) go to the tracked pop-up menu; the rest to the control that sent them.
LRESULT OMWindow::handleControlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_COMMAND || message == WM_VKEYTOITEM) && lParam == 0) {
        static_cast<void>(OMPopUpMenu::dispatchCommand(wParam));
        return 0;
    }
    OMNControl* control = controlOf(reinterpret_cast<HWND>(lParam));
    const int a = static_cast<int>(lParam);
    const int b = static_cast<int>(wParam);
    switch (message) {
    case WM_COMMAND:
        if (!control) break;
        control->notify(a, b);
        return 0;
    case WM_VKEYTOITEM:
        if (!control || LOWORD(wParam) != VK_RETURN) break;
        control->notify(VK_RETURN, VK_RETURN);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (control) control->notify(a, b);
        return 0;
    default: return control ? reinterpret_cast<LRESULT>(control->ctlColor(reinterpret_cast<HDC>(wParam))) : 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Only the active window's handlers run, and only while the application is active; a click elsewhere
// is forwarded to the active window in its coordinates. A button-down captures the mouse, and only a
// captured click ends with the button-up handler. Right and middle buttons reach no handler.
void OMWindow::dispatchMouse(void (OMWindow::*slot)(), UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theApp->active || !activeWindow || !activeWindow->activatedFlag) return;
    if (activeWindow != this) {
        POINT point = pointOf(lParam);
        MapWindowPoints(hwnd, activeWindow->hwnd, &point, 1);
        PostMessageA(activeWindow->hwnd, message, wParam, lParamOf(point));
        return;
    }
    switch (message) {
    case WM_MOUSEMOVE: (this->*slot)(); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        captureMouse();
        (this->*slot)();
        break;
    case WM_LBUTTONUP:
        if (!mouseCaptured) break;
        (this->*slot)();
        releaseMouse();
        break;
    default: break;
    }
}

// A button pressed on a native control is told to the first control under the point.
void OMWindow::notifyControlUnderPoint(WPARAM wParam, LPARAM lParam) {
    const UINT event = LOWORD(wParam);
    if (event != WM_LBUTTONDOWN && event != WM_RBUTTONDOWN && event != WM_MBUTTONDOWN) return;
    const POINT point = pointOf(lParam);
    for (OMListElement<OMNControl>* n = controls.head; n; n = n->next) {
        if (!n->element->containsPoint(&point)) continue;
        n->element->notify(0x04000210, static_cast<int>(event | 0x04000000));
        return;
    }
}
