// What the update manager needs of the application window: the screen rectangle, the window and offscreen
// canvases, the copy of a rectangle to the window, its margins, the fade-in refresh, the idle services
// run while a transition waits, and the end of every module's message chain. The window layer sits above
// the graphics code and installs these at start-up; tests install their own.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Canvas.h"
#include "Rect.h"

struct UpdateDisplay {
    void (*getScreenRect)(Rect* out);
    Canvas (*getWindowCanvas)();
    Canvas (*getOffscreenCanvas)();
    // Copies the rectangle (null: the screen rectangle) of the offscreen canvas to the window, cut to the
    // screen rectangle.
    void (*copyToWindow)(const Rect* rect);
    // Paints the strips between the window's edges and the screen rectangle with colour 0.
    void (*paintMargins)();
    // Paints the window black, copies the whole picture and fades the palette in.
    void (*refreshWithFade)();
    void (*idle)();
    LRESULT (*defWindowProc)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Installs the window layer's services (null: none; every member may be null). The record is not copied.
void UpdateSetDisplay(const UpdateDisplay* display);

// The installed services, each doing nothing (or giving an empty rect, a 0 canvas, DefWindowProc's
// answer) when not installed.
void updateDisplayScreenRect(Rect* out);
Canvas updateDisplayWindowCanvas();
Canvas updateDisplayOffscreenCanvas();
void updateDisplayCopyToWindow(const Rect* rect);
void updateDisplayPaintMargins();
void updateDisplayRefreshWithFade();
void updateDisplayIdle();
LRESULT updateDisplayDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
