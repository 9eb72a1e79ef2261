// The sprite cyclers: a table of shapes that step through the frames of their bank at a frame rate and are
// drawn in depth order. Slots are numbered from 1; 0 means none.
#pragma once

#include <cstdint>

#include "Rect.h"

// Makes the table of count slots and starts the kit clock: 1 when the table was made.
std::int16_t SpriteCyclerInit(std::uint16_t count);
// Frees every slot's bank and the table, and stops the kit clock.
void SpriteCyclerShutdown();
// Loads 'XPK' id into the first free slot, still and hidden at (0, 0): the slot, or 0 when the bank does
// not load or every slot is taken (the bank is then freed again).
std::uint16_t SpriteCyclerAdd(std::uint16_t xpkId);
void SpriteCyclerRemove(std::uint16_t slot);
void SpriteCyclerSetPosition(std::uint16_t slot, std::int16_t x, std::int16_t y);
// Returns the old value.
std::uint16_t SpriteCyclerSetVisible(std::uint16_t slot, std::uint16_t on);
void SpriteCyclerSetRate(std::uint16_t slot, std::uint16_t framesPerSecond, std::uint16_t loop);
void SpriteCyclerInvalidate(std::uint16_t slot);
// The slot's current frame; 0 for a slot out of range.
std::uint16_t SpriteCyclerGetFrame(std::uint16_t slot);
void SpriteCyclersTick();
void SpriteCyclersDraw(const Rect& clip);
