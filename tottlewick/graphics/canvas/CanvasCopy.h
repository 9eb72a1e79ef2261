// The canvas-to-canvas copy engine: a copy is prepared once between two canvases, then any number of
// 1:1 (clipped) or scaled (unclipped) blits run, then it is ended.
#pragma once

#include <cstdint>

#include "Canvas.h"

// Ends a copy still prepared first. Between two window canvases nothing is prepared (returns 0).
std::int16_t CanvasBeginCopy(Canvas destination, Canvas source, std::uint16_t mode);
void CanvasEndCopy();
// Logical coordinates of both canvases; non-zero when something was drawn.
std::int16_t CanvasBlit(std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height, std::int16_t sourceX,
                        std::int16_t sourceY);
std::int16_t CanvasStretchBlit(std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height,
                               std::int16_t sourceX, std::int16_t sourceY, std::int16_t sourceWidth,
                               std::int16_t sourceHeight);
std::int16_t CanvasCopyPrepared(std::int16_t x, std::int16_t y, const Rect* sourceRect);

// Whole copies: prepare, blit (1:1 when the sizes are equal, else scaled), end. Each returns 1.
std::int16_t CanvasCopyRect(Canvas destination, std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height,
                            Canvas source, std::int16_t sourceX, std::int16_t sourceY, std::int16_t sourceWidth,
                            std::int16_t sourceHeight);
std::int16_t CanvasCopy(Canvas destination, std::int16_t x, std::int16_t y, Canvas source, const Rect* sourceRect);
std::int16_t CanvasCopyScaled(Canvas destination, const Rect* destinationRect, Canvas source, const Rect* sourceRect);
// Copies the part of the rect (null: the whole device) that lies on the source's device, keeping its
// place relative to (x, y).
void CanvasCopyClipped(Canvas destination, std::int16_t x, std::int16_t y, Canvas source, const Rect* rect);
void PortCopyWithin(std::int16_t x, std::int16_t y, const Rect* rect);
