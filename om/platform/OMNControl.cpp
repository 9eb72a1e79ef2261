// Native controls: colours resolved against the owner's canvas, frame and text operations, and the
// subclass procedure with Tab cycling and Enter to the default control.
#include "OMNControl.h"

#include <cstring>

#include "OMFont.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"

namespace {

// The shared result of text().
char textBuffer[257];

COLORREF rgbOf(const OMColorRecord& color) { return RGB(color.red >> 8, color.green >> 8, color.blue >> 8); }

OMColorRecord recordOf(COLORREF color) {
    return colorOf(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF dcTextColor(HDC dc) { return GetTextColor(dc); }
COLORREF dcBackgroundColor(HDC dc) { return GetBkColor(dc); }

}  // namespace

OMNControl::OMNControl(OMWindow* ownerWindow, const OMRect* controlFrame, std::int32_t kind,
                       const OMColorRecord* text, const OMColorRecord* background, OMFont* controlFont)
    : tabKind(kind), frame(*controlFrame), font(controlFont), owner(ownerWindow) {
    setColors(text, background);
    owner->controls.append(this);
}

// A default control that goes is no longer the owner's default.
OMNControl::~OMNControl() {
    replaceLink(actionLink_, nullptr);
    replaceLink(focusLostLink, nullptr);
    replaceLink(focusGainedLink, nullptr);
    if (brush) DeleteObject(brush);
    owner->controls.remove(this);
    if (owner->defaultControl == this) owner->defaultControl = nullptr;
}

HBRUSH OMNControl::ctlColor(HDC dc) {
    SetTextColor(dc, rgbOf(textColor));
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(rgbOf(backgroundColor));
    SetBkColor(dc, rgbOf(backgroundColor));
    SetBkMode(dc, TRANSPARENT);
    return brush;
}

void OMNControl::focusLost() {
    if (focusLostLink) focusLostLink->invoke();
}

void OMNControl::focusGained() {
    if (focusGainedLink) focusGainedLink->invoke();
}

void OMNControl::setColors(const OMColorRecord* text, const OMColorRecord* background) {
    setTextColor(text);
    setBackgroundColor(background);
}

void OMNControl::setFont(OMFont* newFont) {
    if (!newFont || std::strcmp(newFont->typeName(), "OMNFNTFont") == 0) return;
    font = newFont;
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(newFont->handle), TRUE);
}

void OMNControl::setActionLink(const OMLink* link) { replaceLink(actionLink_, link); }

void OMNControl::moveToFrame() {
    MoveWindow(hwnd, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
}

void OMNControl::setFrame(const OMRect* rect) {
    frame = *rect;
    moveToFrame();
}

void OMNControl::moveTo(std::int32_t x, std::int32_t y) { offsetBy(x - frame.left, y - frame.top); }

void OMNControl::offsetBy(std::int32_t dx, std::int32_t dy) {
    if (!(frame == kEmptyRect)) frame.set(frame.left + dx, frame.top + dy, frame.right + dx, frame.bottom + dy);
    moveToFrame();
}

void OMNControl::setSize(std::int32_t width, std::int32_t height) {
    frame.right = frame.left + width;
    frame.bottom = frame.top + height;
    moveToFrame();
}

void OMNControl::show(std::int32_t visible) { ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE); }
bool OMNControl::isVisible() const { return IsWindowVisible(hwnd) != FALSE; }
void OMNControl::setText(const char* text) { SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }

const char* OMNControl::text() const {
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXT, sizeof textBuffer, reinterpret_cast<LPARAM>(textBuffer));
    textBuffer[length > 0 && length < static_cast<LRESULT>(sizeof textBuffer) ? length : 0] = '\0';
    return textBuffer;
}

void OMNControl::setFocus() {
    SetFocus(hwnd);
    focusGained();
}

void OMNControl::enable(std::int32_t enabled) { EnableWindow(hwnd, enabled ? TRUE : FALSE); }
bool OMNControl::isEnabled() const { return IsWindowEnabled(hwnd) != FALSE; }
bool OMNControl::hasFocus() const { return GetFocus() == hwnd; }

void OMNControl::setTextColor(const OMColorRecord* color) {
    textColor = resolved(*color, owner->canvas->textColor, dcTextColor);
}

void OMNControl::setBackgroundColor(const OMColorRecord* color) {
    backgroundColor = resolved(*color, owner->canvas->backgroundColor, dcBackgroundColor);
}

// Inheriting takes the canvas's record, or the colour of the window's own device context when the canvas
// has none; a palette entry is read from the canvas's palette now and kept as components.
OMColorRecord OMNControl::resolved(const OMColorRecord& color, const OMColorRecord& canvasColor,
                                   COLORREF (*dcColor)(HDC)) const {
    if (color.index >= 0 && color.index <= 255) return owner->canvas->colorAt(color.index);
    if (color.index != kNoColor) return color;
    if (canvasColor.index != kNoColor) return canvasColor;
    HDC dc = GetDC(owner->hwnd);
    const OMColorRecord current = recordOf(dcColor(dc));
    ReleaseDC(owner->hwnd, dc);
    return current;
}

bool OMNControl::containsPoint(const POINT* point) const {
    if (frame == kEmptyRect) return false;
    const RECT area{frame.left, frame.top, frame.right, frame.bottom};
    return PtInRect(&area, *point) != FALSE;
}

void OMNControl::tabToNext() {
    OMListElement<OMNControl>* self = nullptr;
    for (OMListElement<OMNControl>* n = owner->controls.head; n && !self; n = n->next) {
        if (n->element == this) self = n;
    }
    if (!self) return;
    for (OMListElement<OMNControl>* n = self->next ? self->next : owner->controls.head; n != self;
         n = n->next ? n->next : owner->controls.head) {
        OMNControl* next = n->element;
        if (next->tabKind != kNoTabStop && next->isVisible() && next->isEnabled()) return next->setFocus();
    }
}

// Messages of a control outside a framework window, or not among its window's controls, are swallowed.
LRESULT CALLBACK OMNControl::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    OMWindow* owner = OMWindow::fromHandle(GetParent(window));
    OMNControl* control = owner ? owner->controlWithHandle(window) : nullptr;
    if (!control) return 0;
    switch (message) {
    case WM_KILLFOCUS: control->focusLost(); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam != VK_RETURN || !owner->defaultControl) break;
        return CallWindowProcA(owner->defaultControl->previousProc(), owner->defaultControl->hwnd, message, VK_SPACE,
                               lParam);
    case WM_CHAR:
        if (wParam != VK_TAB || control->tabKind == kKeepsTab) break;
        control->tabToNext();
        return 0;
    default: break;
    }
    return CallWindowProcA(control->previousProc(), window, message, wParam, lParam);
}
