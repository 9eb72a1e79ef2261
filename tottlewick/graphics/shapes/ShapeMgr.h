// The packed-shape manager: the blend table, loading and freeing 'XPK' shape banks, placing a shape by
// its mirror mode, drawing it into the current port (plainly, through a mask), comparing it with a
// canvas's pixels, and testing points, rectangles and other shapes against its opaque pixels.
#pragma once

#include <cstdint>

#include "Canvas.h"
#include "MemHandle.h"
#include "Rect.h"

// A loaded 'XPK' resource: the handle the resource manager gives, converted to native order.
using ShapeBank = MemHandle;

// Allocates and fills the blend table: 1, or 0 when out of memory.
std::int16_t ShapeMgrInit();
void ShapeMgrTerm();

// The bank of resource 'XPK' id: 0 when it is missing, its marker is not valid, or an offset or count in
// it passes its block. Loaded banks are marked resident.
ShapeBank ShapeBankLoad(std::uint16_t id);
// Frees the bank's handle and clears it; nothing for a 0 handle.
void ShapeBankFree(ShapeBank* bank);
// The byte-order conversion given to ByteOrderLoad; a bank that fails its check is left as it is.
void ShapeBankSwap(void* data);
std::uint16_t ShapeBankCount(ShapeBank bank);

// The frame and image rectangles placed at (x, y) by the mirror mode in flags' low two bits; empty for
// no bank or an index past the last shape.
void ShapeGetFrameRect(Rect* out, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                       std::uint16_t flags);
void ShapeGetImageRect(Rect* out, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                       std::uint16_t flags);

// Draws into the current port's canvas: 1 when the image met the clip (out, when given, is the part of
// the image inside it), else 0 (out empty). A canvas without pixels or of a depth the format does not
// draw into gets nothing, and the result stays 1.
std::int16_t ShapeDraw(Rect* out, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                       std::uint16_t flags);
// As ShapeDraw, for 0xC002 shapes only, writing a pixel only where the mask canvas's byte paired with it
// is non-zero; the mask's top-left pairs with the top-left of the drawn part. Pixels are not mirrored.
std::int16_t ShapeDrawMasked(Rect* out, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                             std::uint16_t flags, Canvas mask);
// For 0xC002 shapes on 8-bit canvases: sets both counters to 0, then counts the shape's literal and fill
// pixels (unmirrored, unclipped) that equal the canvas's byte below them and those that do not (a pixel
// off the canvas never matches). 1 when the shape met the canvas's clip; otherwise, or for another
// format, the counters are not written.
std::int16_t ShapeCompare(Rect* out, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                          std::uint16_t flags, Canvas canvas, std::uint32_t* matches, std::uint32_t* mismatches);

// Marks the placed image rectangle dirty for the next two flushes (UpdateInvalRect).
void ShapeInvalidate(ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y, std::uint16_t flags);

// 1 when a literal, fill or blend pixel of the placed shape lies inside the rectangle (at the point).
std::int16_t ShapeHitRect(const Rect* rect, ShapeBank bank, std::uint16_t index, std::int16_t x, std::int16_t y,
                          std::uint16_t flags);
std::int16_t ShapeHitTest(std::int16_t pointX, std::int16_t pointY, ShapeBank bank, std::uint16_t index,
                          std::int16_t x, std::int16_t y, std::uint16_t flags);
// 1 when both image rectangles intersect and each shape has a non-skipped pixel inside the intersection.
std::int16_t ShapesOverlap(ShapeBank bank1, std::uint16_t index1, std::int16_t x1, std::int16_t y1,
                           std::uint16_t flags1, ShapeBank bank2, std::uint16_t index2, std::int16_t x2,
                           std::int16_t y2, std::uint16_t flags2);
