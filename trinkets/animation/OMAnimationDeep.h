// The animation's deep-display path: shared palettes on displays deeper than 8 bits, frames drawn into
// locked canvas bits at any depth, and the colour-keyed frame canvases.
#pragma once

#include <cstdint>
#include <vector>

#include "AOPaletteRecord.h"
#include "AseqFormat.h"
#include "OMIStream.h"
#include "OMMemCanvas.h"

// The whole stream from its start; empty when it holds nothing.
std::vector<std::uint8_t> readWholeStream(OMIStream& stream);

// True when the application's display has more than 8 bits per pixel.
bool onDeepDisplay();

// Draws the frame with its top-left corner at (x, y) into the canvas's bits, inside clip: indices as they
// are on an 8-bit canvas, else through the colours (256 entries) packed into the canvas's pixel format.
void drawFrameInto(OMMemCanvas& canvas, const AseqFrame& frame, std::int32_t x, std::int32_t y, const OMRect& clip,
                   const OMColorRecord* colors);

// The colours deep drawing uses: the palette's, or the canvas's own table when there is no palette.
const OMColorRecord* drawingColors(const AOPaletteRecord* palette, const OMCanvas& canvas, OMColorRecord* scratch);

// The script factory's palette step, on deep displays only: the shared palette of that id becomes current;
// when there is none, one is made from the palette hook's RRGB data for the id, if any.
void findAnimationPalette(std::int16_t id, OMIStream* (*paletteHook)(std::int16_t));
