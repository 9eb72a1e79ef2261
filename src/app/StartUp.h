// The decisions of the program's start: the six machine checks with their alert texts, the window
// rectangle, and the hand-off file that picks the first script. Portable: the facts are gathered elsewhere.
#pragma once

#include <cstdint>
#include <string>

#include "OMRect.h"

// What the checks look at, in their order.
struct MachineFacts {
    std::uint64_t availableVirtualBytes = 0;
    std::uint32_t waveOutDevices = 0;
    bool wingLoads = false;
    bool diskProbeWritten = false;
    std::int32_t bitsPerPixel = 0;
    std::int32_t screenWidth = 0;
    std::int32_t screenHeight = 0;
};

// The alert text of the first check that fails, or null when the machine passes them all.
const char* failedCheckText(const MachineFacts& facts);

// 640 x 460, centred across the screen, its top 240 pixels above the screen's middle.
OMRect applicationWindowRect(std::int32_t screenWidth, std::int32_t screenHeight);

// What a previous run left in "users\quomb.dat": mode 0 and variant 'm' when there is no file.
struct HandOff {
    std::int32_t mode = 0;
    char variant = 'm';
};

// Reads the 4-byte mode and the 1-byte variant (a 4-byte file keeps 'm'), then deletes the file.
HandOff takeHandOffFile(const std::string& path);
// The first script that mode and variant pick.
const char* firstScriptName(const HandOff& handOff);
