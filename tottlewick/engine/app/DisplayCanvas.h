// The two canvases everything is drawn through: the offscreen canvas holding the composed picture, and
// the window canvas through which rectangles of it reach the window; the screen rectangle (the picture's
// place), its margins, and fills, clips and copies on them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Canvas.h"
#include "Rect.h"

// A window canvas (kind 3) on the window: 1, or 0 when it cannot be made.
std::int16_t DisplayCreateWindowCanvas(HWND window);
void DisplayFreeWindowCanvas();
// A memory canvas (kind word 0x102) of the rectangle's size with its origin at the rectangle, cleared to
// colour 0: 0, or 1 when it cannot be made.
std::int16_t DisplayCreateOffscreenCanvas(const Rect* rect);
std::int16_t DisplayCreateDefaultOffscreen();
void DisplayFreeOffscreenCanvas();
Canvas DisplayGetWindowCanvas();
Canvas DisplayGetOffscreenCanvas();

// Make the canvas the current port / restore the port saved before.
void DisplayBeginWindowDraw();
void DisplayEndWindowDraw();
void DisplayBeginOffscreenDraw();
void DisplayEndOffscreenDraw();

// Stores the screen rectangle, moves the offscreen canvas's origin to it and places the picture in the
// window canvas.
void DisplaySetScreenRect(const Rect* rect);
void DisplayGetScreenRect(Rect* out);
void DisplayGetOffscreenBounds(Rect* out);
// Returns the previous placement (kDisplayCentred, kDisplayTopLeft, or another value: leave it).
std::uint16_t DisplaySetPicturePlacement(std::uint16_t placement);

// In the current port; a null rectangle is the screen rectangle.
void DisplayFillRect(const Rect* rect, std::uint8_t index);
void DisplayFrameRect(const Rect* rect, std::uint8_t index);
void DisplayDrawLine(const Point* from, const Point* to, std::uint8_t index);
// The same fill in the window canvas, and a fill with colour 0 in the offscreen canvas.
void DisplayFillWindowRect(const Rect* rect, std::uint8_t index);
void DisplayClearOffscreen(const Rect* rect);

// The clip of the current port; DisplaySetClip refuses an empty rectangle (0).
void DisplayGetClip(Rect* out);
std::int16_t DisplaySetClip(const Rect* rect);
void DisplayIntersectClip(const Rect* rect);

// Paints the strips between the window's edges and the picture (null: the screen rectangle) with colour
// 0 in the window canvas, and with fillPicture the picture too.
void DisplayPaintMargins(const Rect* picture, std::int16_t fillPicture);
// Marks the part of the rectangle (null: the window canvas's bounds) inside the window canvas dirty.
void DisplayInvalidateWindowRect(const Rect* rect);
// Copies the rectangle (null: the screen rectangle) of the offscreen canvas to the window, cut to the
// screen rectangle, and redraws a shown caret.
void DisplayCopyToWindow(const Rect* rect);
