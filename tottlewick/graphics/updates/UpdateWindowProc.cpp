// The default window procedure of the activity modules: a paint message repaints the whole picture.
#include "Update.h"
#include "UpdateDisplay.h"

LRESULT CALLBACK UpdateWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        if (updateDisplayWindowCanvas() && updateDisplayOffscreenCanvas()) {
            updateDisplayPaintMargins();
            updateDisplayCopyToWindow(nullptr);
        }
        ValidateRect(window, nullptr);
    }
    return std::int16_t(updateDisplayDefWindowProc(window, message, wParam, lParam));
}
