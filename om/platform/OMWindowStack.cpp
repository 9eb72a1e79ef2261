// The framework's own activation: the active and the modal window, the activation hooks and the Z order
// of the two bands (modal windows above all others, each band's last activated window on top).
#include <initializer_list>

#include "OMApp.h"
#include "OMCursor.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"

namespace {

bool hasVisibleStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

void drawCaption(HWND window, BOOL active) { DefWindowProcA(window, WM_NCACTIVATE, active, 0); }

// A minimised window's icon title follows the window.
void showIconTitle(HWND window, int how) {
    if (!IsIconic(window)) return;
    if (HWND iconTitle = OMWindow::iconTitleWindow(window)) ShowWindow(iconTitle, how);
}

// Restoring or maximising from the icon shows the window again without running its activation hooks.
bool inIconCommand() { return OMWindow::restoringFromIcon || OMWindow::maximizingFromIcon; }

OMWindow* lastVisible(const OMList<OMWindow>& list) {
    for (OMListElement<OMWindow>* n = list.tail; n; n = n->previous) {
        if (hasVisibleStyle(n->element->hwnd)) return n->element;
    }
    return nullptr;
}

}  // namespace

void OMWindow::activate() {
    hidden = 0;
    if (modalWindow) return;
    if (activeWindow && activeWindow != this) activeWindow->becomeInactive();
    activeWindow = this;
    showIconTitle(hwnd, SW_SHOWNA);
    canvas->applyPalette(nullptr);
    ShowWindow(hwnd, SW_SHOWNA);
    OMList<OMWindow>& band = ownList();
    band.remove(this);
    band.append(this);
    becomeActive();
}

void OMWindow::becomeActive() {
    canvas->applyPalette(nullptr);
    if (!activatedFlag && hasVisibleStyle(hwnd)) {
        if (!inIconCommand()) {
            if (currentCursor) currentCursor->windowActivated();
            activated();
        }
        activatedFlag = 1;
    }
    restack(1);
}

void OMWindow::becomeInactive() {
    canvas->unrealizePalette();
    if (activatedFlag) {
        if (!inIconCommand()) {
            deactivated();
            if (currentCursor) currentCursor->windowDeactivated();
        }
        activatedFlag = 0;
    }
    restack(0);
}

void OMWindow::restack(std::int32_t activeCaption) {
    const int count = windows.count + modalWindows.count;
    if (count == 0) return;
    HDWP positions = BeginDeferWindowPos(2 * count);
    HWND above = HWND_TOP;
    auto place = [&](HWND window) {
        if (positions) positions = DeferWindowPos(positions, window, above, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        above = window;
    };
    for (OMList<OMWindow>* band : {&modalWindows, &windows}) {
        for (OMListElement<OMWindow>* n = band->tail; n; n = n->previous) {
            HWND window = n->element->hwnd;
            drawCaption(window, FALSE);
            place(window);
            if (!IsIconic(window)) continue;
            if (HWND iconTitle = iconTitleWindow(window)) place(iconTitle);
        }
    }
    if (positions) EndDeferWindowPos(positions);
    if (activeCaption && activeWindow) drawCaption(activeWindow->hwnd, TRUE);
}

void OMWindow::showInactive() {
    hidden = 0;
    if (!activeWindow || activeWindow == this) return activate();
    canvas->applyPalette(nullptr);
    activeWindow->canvas->applyPalette(nullptr);
    drawCaption(hwnd, FALSE);
    ShowWindow(hwnd, SW_SHOWNA);
    showIconTitle(hwnd, SW_SHOWNA);
}

void OMWindow::hide() {
    hidden = 1;
    showIconTitle(hwnd, SW_HIDE);
    ShowWindow(hwnd, SW_HIDE);
    if (activeWindow != this) return;
    OMWindow* next = lastVisible(modalWindows);
    if (!next) next = lastVisible(windows);
    becomeInactive();
    if (modalWindow == this) {
        drawCaption(theApp->window, TRUE);
        modalWindow = nullptr;
    }
    if (next) next->activate();
}

void OMWindow::makeModal() {
    if (modalWindow) return;
    if (!modalWindows.contains(this)) {
        windows.remove(this);
        modalWindows.append(this);
        activate();
    }
    activate();
    modalWindow = this;
    drawCaption(theApp->window, FALSE);
}

// The candidate is the top window that is neither hidden nor minimised, searched in the own band first;
// a minimised one stands in when no such window exists (in the own band the lowest, in the other band
// the top one, and only when the own band had none).
void OMWindow::activateNext() {
    if (modalWindow || windows.count + modalWindows.count < 2) return;
    OMList<OMWindow>& own = ownList();
    OMList<OMWindow>& other = &own == &windows ? modalWindows : windows;
    own.remove(this);
    own.prepend(this);
    OMWindow* candidate = nullptr;
    OMWindow* fallback = nullptr;
    auto consider = [&](OMWindow* w, bool keepFirstFallback) {
        if (!w->hidden && !IsIconic(w->hwnd)) {
            candidate = w;
        } else if (IsIconic(w->hwnd) && hasVisibleStyle(w->hwnd) && !(keepFirstFallback && fallback)) {
            fallback = w;
        }
    };
    std::int32_t left = own.count - 1;
    for (OMListElement<OMWindow>* n = own.tail; n && left > 0 && !candidate; n = n->previous, --left) {
        consider(n->element, false);
    }
    for (OMListElement<OMWindow>* n = other.tail; n && !candidate; n = n->previous) consider(n->element, true);
    if (activeWindow == this) {
        if (candidate && candidate != this) return candidate->activate();
        if (fallback && fallback != this) return fallback->activate();
    }
    restack(1);
}
