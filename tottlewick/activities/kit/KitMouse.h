// The system mouse in the picture's coordinates. Scenes run with the offscreen canvas as the current port,
// whose device coordinates are not the window's once the picture sits inside a larger window, so the
// mouse is read and moved through the window canvas.
#pragma once

#include "Rect.h"

Point KitMouseLocation();
void KitMoveMouse(Point point);
