// Start-up checks, window placement and the hand-off file.
#include "StartUp.h"

#include <cstdio>

namespace {

constexpr std::uint64_t kMinimumVirtualBytes = 8000000;

}  // namespace

const char* failedCheckText(const MachineProbes& probes) {
    if (probes.availableVirtualBytes() < kMinimumVirtualBytes) return "Not enough memory to run this application.";
    if (probes.waveOutDevices() == 0) return "This application requires .WAV driver to run.";
    if (!probes.wingLoads()) return "This application requires Wing to run.";
    if (!probes.diskProbeWritten())
        return "There is not enough disk space free to run this product. Please make some room on your hard drive "
               "and start again.";
    if (probes.bitsPerPixel() < 8)
        return "This product requires a 256-color display.\nPlease set your display to 256-color mode and start "
               "again.";
    const OMRect screen = probes.screen();
    if (screen.right - screen.left < 640 || screen.bottom - screen.top < 480)
        return "This product requires at least a 640 x 480 256-color display. Please set your display to 640 x 480 "
               "256-color and start again.";
    return nullptr;
}

OMRect applicationWindowRect(std::int32_t screenWidth, std::int32_t screenHeight) {
    const std::int32_t left = screenWidth / 2 - 320;
    const std::int32_t top = screenHeight / 2 - 240;
    return {left, top, left + 640, top + 460};
}

HandOff takeHandOffFile(const std::string& path) {
    HandOff handOff;
    std::FILE* file = std::fopen(path.c_str(), "rb+");
    if (!file) return handOff;
    unsigned char mode[4];
    if (std::fread(mode, 1, 4, file) == 4)
        handOff.mode = static_cast<std::int32_t>(std::uint32_t(mode[0]) | std::uint32_t(mode[1]) << 8 |
                                                 std::uint32_t(mode[2]) << 16 | std::uint32_t(mode[3]) << 24);
    int variant = std::fgetc(file);
    if (variant != EOF) handOff.variant = static_cast<char>(variant);
    std::fclose(file);
    std::remove(path.c_str());
    return handOff;
}

const char* firstScriptName(const HandOff& handOff) {
    switch (handOff.mode) {
    case 1: return handOff.variant == 'm' ? "rtnsm.mps" : "rtnmm.mps";
    case 2: return "exit.mps";
    case 3: return "rtnsi.mps";
    default: return "dorIruvu.mps";
    }
}
