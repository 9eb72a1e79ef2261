// Window activation state and mouse capture.
#include "OMWindow.h"

#include <windows.h>

OMWindow* OMWindow::activeWindow = nullptr;
OMWindow* OMWindow::modalWindow = nullptr;
std::int32_t OMWindow::mouseCaptured = 0;

OMWindow::~OMWindow() {
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
