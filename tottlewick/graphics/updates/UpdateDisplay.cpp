// The window layer's services as the update manager calls them, each optional.
#include "UpdateDisplay.h"

namespace {

const UpdateDisplay* installed = nullptr;

template <class Member>
Member hook(Member UpdateDisplay::*member) {
    return installed ? installed->*member : nullptr;
}

}  // namespace

void UpdateSetDisplay(const UpdateDisplay* display) { installed = display; }

void updateDisplayScreenRect(Rect* out) {
    if (auto get = hook(&UpdateDisplay::getScreenRect)) {
        get(out);
    } else {
        RectSetEmpty(out);
    }
}

Canvas updateDisplayWindowCanvas() {
    auto get = hook(&UpdateDisplay::getWindowCanvas);
    return get ? get() : 0;
}

Canvas updateDisplayOffscreenCanvas() {
    auto get = hook(&UpdateDisplay::getOffscreenCanvas);
    return get ? get() : 0;
}

void updateDisplayCopyToWindow(const Rect* rect) {
    if (auto copy = hook(&UpdateDisplay::copyToWindow)) copy(rect);
}

void updateDisplayPaintMargins() {
    if (auto paint = hook(&UpdateDisplay::paintMargins)) paint();
}

void updateDisplayRefreshWithFade() {
    if (auto refresh = hook(&UpdateDisplay::refreshWithFade)) refresh();
}

void updateDisplayIdle() {
    if (auto idle = hook(&UpdateDisplay::idle)) idle();
}

LRESULT updateDisplayDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto proc = hook(&UpdateDisplay::defWindowProc);
    return proc ? proc(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}
