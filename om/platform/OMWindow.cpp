// Window lists, activation state, mouse capture and cursors that go away.
#include "OMWindow.h"

#include <initializer_list>

#include "OMWndCanvas.h"

OMList<OMWindow> OMWindow::windows;
OMList<OMWindow> OMWindow::modalWindows;
OMWindow* OMWindow::activeWindow = nullptr;
OMWindow* OMWindow::modalWindow = nullptr;
std::int32_t OMWindow::mouseCaptured = 0;

OMWindow::~OMWindow() {
    windows.remove(this);
    modalWindows.remove(this);
    delete canvas;
    if (activeWindow == this) activeWindow = nullptr;
    if (modalWindow == this) modalWindow = nullptr;
}

void OMWindow::activate() {
    if (activeWindow && activeWindow != this) activeWindow->becomeInactive();
    activeWindow = this;
    becomeActive();
}

void OMWindow::releaseMouse() {
    if (!mouseCaptured) return;
    mouseCaptured = 0;
    ReleaseCapture();
}

void OMWindow::cursorDestroyed(OMCursor* cursor) {
    for (OMList<OMWindow>* list : {&windows, &modalWindows}) {
        for (OMListElement<OMWindow>* n = list->head; n; n = n->next) {
            OMWndCanvas* shown = n->element->canvas;
            if (shown && shown->cursor == cursor) shown->setCursor(nullptr);
        }
    }
}
