// Canvases: the drawing surfaces kept in memory handles labelled "CANVAS" (a device context handed in,
// a compatible bitmap, a DIB section whose pixels the engine writes itself, a window's client area),
// their colour depths, the mapping between their logical coordinates and their devices, clipping and
// pixel access.
#pragma once

#include <windows.h>

#include <cstdint>

#include "DibPixels.h"
#include "MemHandle.h"
#include "Rect.h"

using Canvas = MemHandle;

// Kind word: kind in bits 0-7, usage flags in bits 8-10, colour-depth code in bits 12-15.
constexpr std::uint16_t kCanvasDeviceContext = 0;
constexpr std::uint16_t kCanvasBitmap = 1;
constexpr std::uint16_t kCanvasMemory = 2;
constexpr std::uint16_t kCanvasWindow = 3;
constexpr std::uint16_t kCanvasNoKind = 255;
constexpr std::uint16_t kCanvasUsageMask = 0x700;
constexpr std::uint16_t kCanvasOffscreen = 0x100;  // the memory canvas in which every frame is composed
constexpr std::uint16_t kCanvasDepth24 = 0xA000;
constexpr std::uint16_t kCanvasDepth16 = 0xB000;
constexpr std::uint16_t kCanvasDepth15 = 0xC000;
constexpr std::uint16_t kCanvasDepth8 = 0xD000;
constexpr std::uint16_t kCanvasDepth4 = 0xE000;
constexpr std::uint16_t kCanvasDepth1 = 0xF000;

constexpr char kCanvasLabel[] = "CANVAS";

// The argument is the device context (kind 0), the size as width | height << 16 (kinds 1 and 2) or the
// window (kind 3). On failure the handle out is 0.
std::int16_t CanvasCreate(Canvas* out, std::uintptr_t argument, std::uint16_t kindWord);
std::int16_t CanvasDispose(Canvas* canvas);

std::uint16_t CanvasGetKind(Canvas canvas);
std::uint16_t CanvasGetUsage(Canvas canvas);
std::uint16_t CanvasGetDepth(Canvas canvas);
// Accepts 1, 4, 8, 15, 16 or 24 only; returns the previous default either way.
std::uint16_t CanvasSetDefaultDepth(std::uint16_t bits);
std::uint16_t CanvasGetDefaultDepth();
std::int16_t CanvasGetWidth(Canvas canvas);
std::int16_t CanvasGetHeight(Canvas canvas);
HPALETTE CanvasGetPalette(Canvas canvas);
std::uint32_t CanvasGetUserWord(Canvas canvas);
std::uint32_t CanvasSetUserWord(Canvas canvas, std::uint32_t value);
HDC CanvasGetDC(Canvas canvas);
DibHeader* CanvasGetDib(Canvas canvas);
void* CanvasGetBits(Canvas canvas);

// Geometry: device = logical - origin, where the origin is the device rect's top-left.
void CanvasGetBounds(Rect* out, Canvas canvas);
void CanvasGetDeviceRect(Rect* out, Canvas canvas);
void CanvasSetBounds(Canvas canvas, const Rect* rect);
void CanvasSetDeviceRect(Canvas canvas, const Rect* rect);
void CanvasToDevice(Point* point, Canvas canvas);
void CanvasFromDevice(Point* point, Canvas canvas);
std::int16_t CanvasXToDevice(std::int16_t x, Canvas canvas);
std::int16_t CanvasYToDevice(std::int16_t y, Canvas canvas);
std::int16_t CanvasXFromDevice(std::int16_t x, Canvas canvas);
std::int16_t CanvasYFromDevice(std::int16_t y, Canvas canvas);
void CanvasRectToDevice(Rect* rect, Canvas canvas);
void CanvasRectFromDevice(Rect* rect, Canvas canvas);
void CanvasRefreshWindowDC(Canvas canvas);

// Clipping in logical coordinates; null means the bounds, an empty rect changes nothing.
void CanvasSetClip(Canvas canvas, const Rect* rect);
void CanvasGetClip(Rect* out, Canvas canvas);

// Memory canvases: base addresses the top-left pixel and base + y * step row y, whichever way the rows
// are stored; area is the device rect moved to (0, 0).
std::int16_t CanvasLockPixels(Canvas canvas, void** base, std::int32_t* step, std::uint16_t* depth, Rect* area);
void CanvasUnlockPixels(Canvas canvas);
