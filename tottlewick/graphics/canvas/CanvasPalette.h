// The canvas side of palettes: applying a palette to one canvas, and switching or re-applying it on
// every canvas at once.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Canvas.h"

// Filters of CanvasSwitchPalette, compared whole.
constexpr std::uint16_t kCanvasFilterAll = 0x700;
constexpr std::uint16_t kCanvasFilterOffscreen = 0x100;
constexpr std::uint16_t kCanvasFilterWindow = 0x200;
constexpr std::uint16_t kCanvasFilterDeviceContext = 0x300;
constexpr std::uint16_t kCanvasFilterBitmap = 0x400;

// Null means the current palette. A memory canvas takes the palette's colours into its DIB's colour table.
std::int16_t CanvasSetPalette(Canvas canvas, HPALETTE palette);
std::int16_t CanvasRealize(Canvas canvas);
// Every canvas that uses the old palette and passes the filter gets the new one; 1 when any changed.
std::int16_t CanvasSwitchPalette(HPALETTE oldPalette, HPALETTE newPalette, std::uint16_t filter);
// Every canvas gets the current palette and every window canvas realises it; 1 when a window realised.
std::int16_t CanvasRealizeAll();
