// The picture of Tottlewick's own icon, drawn from shapes.
#pragma once

#include "PixelGrid.h"

// A red spinning top with a black spindle on a white badge ringed in black, 32 x 32; outside the badge
// the icon is transparent.
PixelGrid tottlewickIcon();
