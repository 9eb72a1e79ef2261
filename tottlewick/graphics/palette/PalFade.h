// Palette effects: fades between two palettes, to and from black and to and from one colour, animated on
// a window canvas with AnimatePalette and timed by the engine clock. One fade at a time.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Canvas.h"

// Called once per pass of a running fade; 0 stops it (the fade still ends on its target).
using PalFadeCallback = std::int16_t (*)();

// 1 when the fade became active (window canvases only); otherwise what PalFadeEnd released.
std::int16_t PalFadeBegin(Canvas canvas, HPALETTE from, HPALETTE to, std::uint16_t first, std::uint16_t count);
// Sets the fade range to `level` (0 to 256) of the way from the first palette to the second.
void PalFadeStep(std::uint16_t level);
// Blocks for `duration` ms of the engine clock, moving the level in `steps` equal parts (0: smoothly),
// and ends at level 256.
void PalFadeRun(std::uint16_t steps, std::uint32_t duration, PalFadeCallback callback);
// Gives the canvas's own palette object the target colours and switches the canvases back to it.
std::int16_t PalFadeEnd();
// Ends any fade and releases what the black and colour fades made; the palette manager stops with it, so
// that a fade begun and never ended keeps no palette.
void palFadeRelease();

std::int16_t PalFadeOutBegin(Canvas canvas);
std::int16_t PalFadeOutEnd();
void PalFadeOut(Canvas canvas, std::uint16_t steps, std::uint32_t duration);
std::int16_t PalFadeInBegin(Canvas canvas);
std::int16_t PalFadeInEnd();
void PalFadeIn(Canvas canvas, std::uint16_t steps, std::uint32_t duration);
// The colour is 0x00BBGGRR.
std::int16_t PalFadeToColorBegin(Canvas canvas, std::uint32_t colour);
std::int16_t PalFadeToColorEnd();
void PalFadeToColor(Canvas canvas, std::uint32_t colour, std::uint16_t steps, std::uint32_t duration);
std::int16_t PalFadeFromColorBegin(Canvas canvas, std::uint32_t colour);
std::int16_t PalFadeFromColorEnd();
void PalFadeFromColor(Canvas canvas, std::uint32_t colour, std::uint16_t steps, std::uint32_t duration);
