// Icon (.ico) and cursor (.cur) files of one image each, the form the resource compiler reads; the
// programs' build tools write their icons with it.
#pragma once

#include <cstdint>
#include <string>

#include "CursorWriter.h"
#include "PixelGrid.h"

// A grid pixel of this value is transparent; every other value is an entry of the 16-colour palette.
constexpr std::uint8_t kTransparent = 0xFF;

// A 16-colour icon of the grid's size (at most 255 x 255).
std::string writeIconFile(const PixelGrid& picture);
// A monochrome cursor with the picture's hotspot.
std::string writeCursorFile(const CursorPicture& picture);
