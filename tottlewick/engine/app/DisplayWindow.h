// The main window: its classes, its mode and placement from configuration query 3, its creation or
// restyling, the choice of a display mode that fits it, and its end.
#pragma once

#include <windows.h>

#include <cstdint>

// The record of configuration query 3; CW_USEDEFAULT until set.
struct DisplayPlacement {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t depth;  // bits per pixel required of a display mode
};

// Queries 1 and 3, then registers the classes: 1, or 0 when the main class cannot be registered. Mode 0
// registers nothing, mode 3 adopts the window handle given in the record's first field.
std::int16_t AppSetupWindowClass();
std::int16_t AppRegisterWindowClasses();

// Creates the window or shows, restores or raises it when it exists: 0 when a window exists, else 1.
std::int16_t DisplayOpenWindow();
void DisplayCreateWindow();
// Restyles and moves the window for the current mode and flags, then DisplayOpenWindow's result.
std::int16_t DisplayApplyWindowMode();
// Destroys the window and puts back a display mode that was changed.
void DisplayCloseWindow();

HWND DisplayGetWindow();
void DisplaySetWindow(HWND window);
std::int16_t DisplayHasWindow();
std::int16_t DisplayIsPaletteDevice();
