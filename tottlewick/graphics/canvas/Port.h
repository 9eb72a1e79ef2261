// The current port, the canvas into which shapes, text, fills and lines draw, with a stack of saved
// ports, and the transfer mode that picks the raster operation of every copy.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Canvas.h"

constexpr int kPortStackSize = 16;

// Returns the previous current port.
Canvas PortSet(Canvas canvas);
Canvas PortGet();
// Saves the current port and makes the canvas current; 0 (nothing changed) when 16 ports are saved.
std::int16_t PortPush(Canvas canvas);
// Makes the last saved port current again and returns the canvas that was current; with nothing saved
// it changes nothing and returns 0.
Canvas PortPop();
// Modes 0 to 4 index the raster-operation table; another mode changes nothing. Returns the previous mode.
std::uint16_t PortSetTransferMode(std::uint16_t mode);
std::uint16_t PortGetTransferMode();
// The raster operation of the current transfer mode.
DWORD portRasterOp();
HDC PortGetDC();
