// Drawing ASEQ frames onto canvases deeper than 8 bits: every colour index is turned into the canvas's
// pixel format through a 256-entry colour table (OMPixelFormat) and stored by a writer chosen by bytes per pixel.
#pragma once

#include <cstdint>

#include "AseqFormat.h"
#include "OMPixelCopy.h"
#include "OMPixelFormat.h"

// Draws the frame with its top-left corner at (x, y) into pixels of the format's size (2, 3 or 4 bytes;
// others draw nothing), writing only inside clip (which lies inside the pixels). Skip runs write nothing;
// a pixel of 3 bytes is written as exactly 3 bytes.
void drawFrameDeep(const AseqFrame& frame, const OMPixelView& pixels, std::int32_t x, std::int32_t y,
                   const OMRect& clip, const PackedColors& colors, const PixelFormat& format);
