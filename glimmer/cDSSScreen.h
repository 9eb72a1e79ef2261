// The graphic state of a display: no parent window, the library's module instance, and the screen's
// bit depth, asked once.
#pragma once

#include <windows.h>

class cDSSScreen {
public:
    explicit cDSSScreen(HINSTANCE instance) : instance_(instance) {}

    HWND parent() const { return nullptr; }
    HINSTANCE instance() const { return instance_; }
    // BITSPIXEL × PLANES of the display, at most 24, cached; 8 (not cached) when it cannot be asked.
    int depth();

private:
    HINSTANCE instance_;
    int depth_ = 0;
};
