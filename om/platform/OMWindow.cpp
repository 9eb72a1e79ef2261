// Framework windows: the shared window class, construction and destruction, frames, titles, lookups by
// handle, mouse capture and cursors that go away.
#include "OMWindow.h"

#include <cstring>
#include <initializer_list>

#include "OMApp.h"
#include "OMAssert.h"
#include "OMNControl.h"
#include "OMSystemUtilities.h"
#include "OMWndCanvas.h"

OMList<OMWindow> OMWindow::windows;
OMList<OMWindow> OMWindow::modalWindows;
OMWindow* OMWindow::activeWindow = nullptr;
OMWindow* OMWindow::modalWindow = nullptr;
std::int32_t OMWindow::mouseCaptured = 0;
std::int32_t OMWindow::inSystemMoveSize = 0;
std::int32_t OMWindow::restoringFromIcon = 0;
std::int32_t OMWindow::maximizingFromIcon = 0;
HICON OMWindow::defaultIcon = nullptr;

namespace {

// CS_OWNDC keeps one device context per window, so the canvas's palette and clip stay selected.
constexpr UINT kChildClassStyle = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;

void registerChildClass() {
    OMWindow::defaultIcon = LoadIconA(nullptr, IDI_QUESTION);
    WNDCLASSA childClass{};
    childClass.style = kChildClassStyle;
    childClass.lpfnWndProc = OMWindow::windowProc;
    childClass.cbWndExtra = 8;
    childClass.hInstance = appInstance();
    childClass.lpszClassName = kWindowChildClass;
    RegisterClassA(&childClass);
}

bool noWindowLeft() { return OMWindow::windows.count == 0 && OMWindow::modalWindows.count == 0; }

struct SystemMenuItem {
    UINT command;
    const char* text;
    // Greyed for the caption frame (kind 2); the sizing frame greys only Restore.
    bool greyedWithoutSizing;
};

// The system menu of the framed kinds, by position; a zero command is the separator.
constexpr SystemMenuItem kSystemMenu[] = {
    {SC_RESTORE, "&Restore", true},   {SC_MOVE, "&Move", true},         {SC_SIZE, "&Size", true},
    {SC_MINIMIZE, "Mi&nimize", false}, {SC_MAXIMIZE, "Ma&ximize", true}, {0, nullptr, false},
    {SC_CLOSE, "&Close           Ctrl-F4", false},
};

RECT rectOf(const OMRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

COLORREF brushColorOf(const OMColorRecord& color) {
    if (color.index == kColorFromComponents) return PALETTERGB(color.red >> 8, color.green >> 8, color.blue >> 8);
    if (color.index < 0) return 0xFFFFFFFF;
    return PALETTEINDEX(color.index & 0xFFFF);
}

OMWindow::OMWindow(const OMRect* frame, std::int32_t frameKind, std::int32_t adjustFrame)
    : kind(directDrawActive ? kFrameNone : frameKind) {
    OM_ASSERT(theApp && frameKind >= kFrameNone && frameKind <= kFrameSizing);
    if (noWindowLeft()) registerChildClass();
    const DWORD style = kFrameStyles[kind];
    RECT rect{};
    if (directDrawActive) {
        GetClientRect(theApp->window, &rect);
        adjustFrame = 1;
    } else {
        rect = rectOf(*frame);
    }
    if (adjustFrame == 1) AdjustWindowRect(&rect, style, FALSE);
    hwnd = CreateWindowExA(0, kWindowChildClass, nullptr, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, theApp->window, nullptr, appInstance(), nullptr);
    SetWindowLongPtrA(hwnd, kWindowObjectWord, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongA(hwnd, kWindowTagWord, kWindowTag);
    if (kind >= kFrameCaption) rebuildSystemMenu();
    canvas = new OMWndCanvas(this);
    windows.prepend(this);
}

// Controls are taken out of the list before they are deleted, so each leaves it exactly once.
OMWindow::~OMWindow() {
    delete attachment;
    while (controls.head) delete controls.remove(controls.head->element);
    leaveFramework();
    for (OMLink*& link : handlers) replaceLink(link, nullptr);
    if (noWindowLeft()) UnregisterClassA(kWindowChildClass, appInstance());
}

// The window leaves the lists even when the application is gone (its Win32 window went with the main
// window), so no list keeps a pointer to it. A window holding the capture releases it, so no later
// button-up counts as the end of its click.
void OMWindow::leaveFramework() {
    const bool wasActive = activeWindow == this;
    windows.remove(this);
    modalWindows.remove(this);
    if (!theApp) {
        if (wasActive) activeWindow = nullptr;
        if (modalWindow == this) modalWindow = nullptr;
        delete canvas;
        canvas = nullptr;
        return;
    }
    if (modalWindow == this) {
        DefWindowProcA(theApp->window, WM_NCACTIVATE, TRUE, 0);
        modalWindow = nullptr;
    }
    delete canvas;
    canvas = nullptr;
    if (mouseCaptured && GetCapture() == hwnd) releaseMouse();
    SetWindowLongA(hwnd, kWindowTagWord, 0);
    DestroyWindow(hwnd);
    if (!wasActive) return restack(1);
    activeWindow = topVisibleWindow();
    if (activeWindow) activeWindow->activate();
}

void OMWindow::rebuildSystemMenu() {
    GetSystemMenu(hwnd, TRUE);
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    for (int n = GetMenuItemCount(menu); n > 0; n = GetMenuItemCount(menu)) DeleteMenu(menu, n - 1, MF_BYPOSITION);
    UINT position = 0;
    for (const SystemMenuItem& item : kSystemMenu) {
        if (!item.command) {
            InsertMenuA(menu, position++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const bool greyed = item.command == SC_RESTORE || (item.greyedWithoutSizing && kind == kFrameCaption);
        InsertMenuA(menu, position++, MF_BYPOSITION | MF_STRING | (greyed ? MF_GRAYED : MF_ENABLED), item.command,
                    item.text);
    }
}

void OMWindow::moveTo(std::int32_t x, std::int32_t y) {
    if (IsIconic(hwnd) || IsZoomed(hwnd)) return;
    const OMRect now = rectInMainWindow();
    MoveWindow(hwnd, x, y, now.right - now.left, now.bottom - now.top, TRUE);
}

void OMWindow::offsetBy(std::int32_t dx, std::int32_t dy) {
    if (IsIconic(hwnd) || IsZoomed(hwnd)) return;
    const OMRect now = rectInMainWindow();
    MoveWindow(hwnd, now.left + dx, now.top + dy, now.right - now.left, now.bottom - now.top, TRUE);
}

void OMWindow::setFrame(const OMRect* rect, std::int32_t adjustFrame) {
    if (IsIconic(hwnd) || IsZoomed(hwnd) || directDrawActive) return;
    RECT wanted = rectOf(*rect);
    if (adjustFrame == 1) AdjustWindowRect(&wanted, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)), FALSE);
    MoveWindow(hwnd, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top, TRUE);
}

void OMWindow::setTitle(const char* text) {
    titleText.reset();
    if (!text) return;
    titleText.reset(new char[std::strlen(text) + 1]);
    std::strcpy(titleText.get(), text);
    SetWindowTextA(hwnd, text);
}

OMFrameMetrics OMWindow::frameMetrics() const {
    switch (kind) {
    case kFrameBorder: return {GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER), 0};
    case kFrameCaption:
        return {GetSystemMetrics(SM_CXBORDER) + 2, GetSystemMetrics(SM_CYBORDER) + 2, GetSystemMetrics(SM_CYCAPTION)};
    case kFrameSizing:
        return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME), GetSystemMetrics(SM_CYCAPTION)};
    default: return {0, 0, 0};
    }
}

POINT OMWindow::screenToClient(unsigned* buttons) const {
    POINT where = cursorPosition(buttons);
    ScreenToClient(hwnd, &where);
    return where;
}

OMRect OMWindow::rectInMainWindow() const {
    RECT placed{};
    GetWindowRect(hwnd, &placed);
    MapWindowPoints(nullptr, theApp->window, reinterpret_cast<POINT*>(&placed), 2);
    return {placed.left, placed.top, placed.right, placed.bottom};
}

void OMWindow::dispatchKey() {
    OMLink* action = defaultControl ? defaultControl->actionLink() : nullptr;
    if (action) return action->invoke();
    key();
}

void OMWindow::captureMouse() {
    SetCapture(hwnd);
    mouseCaptured = 1;
}

void OMWindow::releaseMouse() {
    if (!mouseCaptured) return;
    mouseCaptured = 0;
    ReleaseCapture();
}

OMWindow* OMWindow::fromHandle(HWND window) {
    if (!window || GetWindowLongA(window, kWindowTagWord) != kWindowTag) return nullptr;
    return reinterpret_cast<OMWindow*>(GetWindowLongPtrA(window, kWindowObjectWord));
}

OMWindow* OMWindow::topVisibleWindow() {
    for (HWND child = GetTopWindow(theApp->window); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) return fromHandle(child);
    }
    return nullptr;
}

HWND OMWindow::iconTitleWindow(HWND window) {
    for (HWND child = GetWindow(theApp->window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindow(child, GW_OWNER) == window) return child;
    }
    return nullptr;
}

void OMWindow::cursorDestroyed(OMCursor* cursor) {
    for (OMList<OMWindow>* list : {&windows, &modalWindows}) {
        for (OMListElement<OMWindow>* n = list->head; n; n = n->next) {
            OMWndCanvas* shown = n->element->canvas;
            if (shown && shown->cursor == cursor) shown->setCursor(nullptr);
        }
    }
}

// The user-data word is trusted only when it names a control of this window: a foreign native child
// may keep anything there.
OMNControl* OMWindow::controlOf(HWND control) const {
    auto* named = reinterpret_cast<OMNControl*>(GetWindowLongPtrA(control, GWLP_USERDATA));
    return named && controls.contains(named) ? named : nullptr;
}

OMNControl* OMWindow::controlWithHandle(HWND control) const {
    for (OMListElement<OMNControl>* n = controls.head; n; n = n->next) {
        if (n->element->hwnd == control) return n->element;
    }
    return nullptr;
}
