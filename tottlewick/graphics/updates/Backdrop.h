// Backdrops: an activity's background picture, a shape bank whose equal-sized shapes are the tiles of a
// grid, drawn for a dirty rectangle cell by cell or, when pre-rendered, copied from a memory canvas.
// Four can exist at once, numbered 1 to 4; backdrop 1 is the main one.
#pragma once

#include <cstdint>

#include "Rect.h"
#include "ShapeMgr.h"

constexpr int kBackdropSlots = 4;

// Whether backdrops loaded later are pre-rendered; returns the previous setting.
std::uint32_t BackdropSetCached(std::uint32_t on);
// Loads 'XPK' id into the first free slot, which owns the bank: the backdrop's number, or 0 when no slot
// is free or loading failed. A failed pre-render falls back to tiles.
std::int16_t BackdropLoad(std::uint16_t id, std::uint16_t columns, std::uint16_t rows, std::int16_t x, std::int16_t y);
// A tiled backdrop of a bank the caller keeps: its number, or 0.
std::int16_t BackdropAdd(ShapeBank bank, std::uint16_t columns, std::uint16_t rows, std::int16_t x, std::int16_t y);
void BackdropFree(std::int16_t number);
void BackdropFreeAll();
// Into the current port, the part inside the rect.
void BackdropDraw(std::int16_t number, const Rect* rect);
void BackdropDrawAll(const Rect* rect);
// Backdrop 1: 1 on success, 0 when it exists already or loading failed.
std::int16_t BackdropLoadMain(std::uint16_t id, std::uint16_t columns, std::uint16_t rows, std::int16_t x,
                              std::int16_t y);
void BackdropFreeMain();
void BackdropDrawMain(const Rect* rect);
