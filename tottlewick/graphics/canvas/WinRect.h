// The engine's rectangles and points (signed 16-bit) and the system's RECT and POINT (signed 32-bit).
#pragma once

#include <windows.h>

#include "Rect.h"

// To the system's form, sign-extended.
void RectToWinRect(const Rect* rect, RECT* out);
void PointToWinPoint(const Point* point, POINT* out);
// Back to the engine's form, keeping the low 16 bits of each value.
void RectFromWinRect(Rect* out, const RECT* rect);
void PointFromWinPoint(Point* out, const POINT* point);
