// The pictures of QUOMB_32's own resources, drawn from shapes: the application icon and the pointer.
#pragma once

#include "CursorWriter.h"
#include "PixelGrid.h"

// A round badge with a sun over a green hill on a blue sky, `size` pixels square (32 or 16); outside the
// badge the icon is transparent.
PixelGrid applicationIcon(int size);
// A white pointing hand with a black outline, 32 x 32, its hotspot at the tip of the index finger.
CursorPicture pointingHand();
