// The cursor service: the arrow and wait cursors, the cursor last set, and the show/hide count of the
// system pointer.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Rect.h"

// Loads the arrow and the wait cursor and sets the hide counter to 0; 1.
std::int16_t CursorInit();
// Shows or hides the pointer until the hide counter is back at 0.
void CursorShutdown();
// Each returns the cursor that was set before; SetCursor runs only for a different cursor.
HCURSOR CursorSetArrow();
HCURSOR CursorSetWait();
HCURSOR CursorSet(HCURSOR cursor);
void CursorRestore();
// 32512-32515 (arrow, I-beam, wait, cross) from the system, any other id from the program file.
HCURSOR CursorLoad(std::uint16_t id);
// In the current port's coordinates.
void CursorGetLocation(Point* point);
void CursorSetLocation(const Point* point);
// Changes the hide counter by +1 (show) or -1 and tells the system; returns the counter.
std::int16_t CursorShow(std::uint16_t show);
// Shows or hides without nesting; returns visible as 0/1.
std::int16_t CursorSetVisible(std::uint16_t visible);
std::int16_t CursorIsVisible();
std::int16_t CursorGetCount();
