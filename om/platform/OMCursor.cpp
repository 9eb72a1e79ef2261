// Loading cursors, the current and default cursor, and the forced display counter.
#include "OMCursor.h"

#include "OMApp.h"
#include "OMAppInitTerm.h"
#include "OMRes.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"

OMCursor* currentCursor = nullptr;
OMCursor* defaultCursor = nullptr;
std::int32_t cursorHidden = 0;

namespace {

OMAppInitTerm cursorRecord{createDefaultCursor, destroyDefaultCursor};

struct CursorRegistration {
    CursorRegistration() { registerInitTerm(&cursorRecord); }
} cursorRegistration;

LPCSTR systemCursorName(std::int16_t number) {
    switch (number) {
    case kCrossCursor:
        return IDC_CROSS;
    case kTextCursor:
        return IDC_IBEAM;
    case kWaitCursor:
        return IDC_WAIT;
    default:
        return IDC_ARROW;
    }
}

}  // namespace

void createDefaultCursor() {
    defaultCursor = new OMCursor();
    currentCursor = defaultCursor;
}

void destroyDefaultCursor() {
    OMCursor* dying = defaultCursor;
    defaultCursor = nullptr;
    delete dying;
}

OMCursor::OMCursor() : handle(LoadCursorA(nullptr, IDC_ARROW)) {}

OMCursor::OMCursor(std::int16_t resourceNumber, OMResFile* file) : resourceId(resourceNumber) {
    if (resourceNumber < 0) {
        handle = LoadCursorA(nullptr, systemCursorName(resourceNumber));
        return;
    }
    const HMODULE module = file && file->module ? file->module : appInstance();
    res.reset(new OMRes(static_cast<std::uint16_t>(resourceNumber), "CURSOR", file));
    handle = LoadCursorA(module, MAKEINTRESOURCEA(resourceNumber));
    if (handle) return;
    resourceId = kArrowCursor;
    handle = LoadCursorA(nullptr, IDC_ARROW);
    res.reset();
}

OMCursor::~OMCursor() {
    OMWindow::cursorDestroyed(this);
    res.reset();
    if (resourceId >= 0) DestroyCursor(handle);
    if (currentCursor == this) currentCursor = defaultCursor;
}

void OMCursor::apply(OMWndCanvas* canvas) {
    if (canvas && canvas->cursorSuppressed) return;
    if (OMWindow::activeWindow && OMWindow::activeWindow->canvas != canvas) return;
    SetCursor(handle);
    setShowState(cursorHidden == 0);
}

void OMCursor::setCurrent(OMCursor* cursor) {
    OMCursor* next = cursor ? cursor : defaultCursor;
    if (currentCursor && currentCursor != next) currentCursor->release();
    currentCursor = next;
    if (!cursor && defaultCursor && OMWindow::activeWindow) defaultCursor->apply(OMWindow::activeWindow->canvas);
}

OMCursor* OMCursor::current() { return currentCursor == defaultCursor ? nullptr : currentCursor; }

void OMCursor::setForCanvas(OMCursor* cursor, OMWndCanvas* canvas) {
    if (!cursor || cursor == currentCursor) return;
    setCurrent(cursor);
    if (canvas) canvas->setCursor(cursor);
    cursor->apply(canvas);
}

void OMCursor::hideCursor() {
    if (cursorHidden) return;
    cursorHidden = 1;
    if (currentCursor) currentCursor->hide();
}

void OMCursor::showCursor() {
    if (!cursorHidden) return;
    cursorHidden = 0;
    if (currentCursor) currentCursor->show();
}

void OMCursor::setShowState(std::int32_t show) {
    const int target = show ? 0 : -1;
    int count = ShowCursor(show ? TRUE : FALSE);
    while (count > target) count = ShowCursor(FALSE);
    while (count < target) count = ShowCursor(TRUE);
}
