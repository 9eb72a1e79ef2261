// The update manager's redraw procedure: the scene in front draws each rectangle under its own clip.
#pragma once

#include <cstdint>

#include "Rect.h"

void AppRedraw(std::uint16_t count, const Rect* rects);
