// Pictures of the racing game's trinkets: an animation over an ASEQ resource, or none when the resource
// is missing or damaged.
#pragma once

#include <cstdint>
#include <memory>

#include "OMAnimation.h"

class OMTrinketWindow;

// Hidden and paused on its first frame entry when `hidden` is set, else playing as loaded.
std::unique_ptr<OMAnimation> loadPicture(std::int32_t id, std::int32_t x, std::int32_t y, OMTrinketWindow* window,
                                         bool hidden);
// The same over a stream of ASEQ bytes, which it takes over (null gives none).
std::unique_ptr<OMAnimation> loadPicture(OMIStream* stream, std::int32_t x, std::int32_t y, OMTrinketWindow* window,
                                         bool hidden);
// Shows frame entry `position` (from 1) when the picture exists and does not show it already.
void showPosition(OMAnimation* picture, std::int32_t position);
// The size of frame i, 0 by 0 without a picture.
std::int32_t pictureWidth(const OMAnimation* picture, std::int32_t i);
std::int32_t pictureHeight(const OMAnimation* picture, std::int32_t i);
// Draws frame entry `position` at (x, y) into the window's off-screen canvas, inside clip.
void drawPosition(OMAnimation* picture, std::int32_t position, std::int32_t x, std::int32_t y, const OMRect& clip);
