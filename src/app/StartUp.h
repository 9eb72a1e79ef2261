// The decisions of the program's start: the six machine checks with their alert texts, the window
// rectangle, and the hand-off file that picks the first script. Portable: the probes are given by the caller.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "OMRect.h"

// What the checks ask of the machine, in their order. A probe is asked only when every check before it
// has passed: the later probes load a library and write a file.
struct MachineProbes {
    std::function<std::uint64_t()> availableVirtualBytes;
    std::function<std::uint32_t()> waveOutDevices;
    std::function<bool()> wingLoads;
    std::function<bool()> diskProbeWritten;
    std::function<std::int32_t()> bitsPerPixel;
    std::function<OMRect()> screen;
};

// The alert text of the first check that fails, or null when the machine passes them all.
const char* failedCheckText(const MachineProbes& probes);

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
