// The early start: the display measured and accepted by the application, the clocks, memory and files,
// and the early resources (the "Global" resource file with the message tables 1 and 2).
#pragma once

#include <cstdint>

#include "AppGlobals.h"

// Fills the record from the "DISPLAY" device and the memory status: 1, or 0 when the device cannot be
// opened.
std::int16_t DisplayGetCaps(AppDisplayInfo* info);
// Available physical memory plus available page file, in bytes.
std::uint32_t SysGetAvailableMemory();
// Measures and asks configuration query 2 until it accepts (1, the record kept) or refuses (0).
std::int16_t AppCheckRequirements();
// Clocks, memory, files and early resources, each failure shown and unwound: 1 or 0.
std::int16_t AppInitEarly();
// Opens "Resource\Global" of the application folder (.PRX, .PRS or the folder) and the message tables.
std::int16_t AppOpenEarlyResources();
void AppCloseEarlyResources();
