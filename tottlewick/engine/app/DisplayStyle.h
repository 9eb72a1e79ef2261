// The window layer's pure rules: the window style of a mode and its flags, the choice of a display mode,
// and the place of the picture in the window.
#pragma once

#include <cstdint>
#include <vector>

// Window modes: the low byte of configuration query 3's answer.
constexpr std::uint32_t kDisplayModeNone = 0;
constexpr std::uint32_t kDisplayModeFullScreen = 1;
constexpr std::uint32_t kDisplayModeWindow = 2;
constexpr std::uint32_t kDisplayModeAdopt = 3;
// Window flags: the rest of the answer.
constexpr std::uint32_t kDisplayMenuClass = 0x100;
constexpr std::uint32_t kDisplayCaption = 0x200;
constexpr std::uint32_t kDisplayOverlapped = 0x400;  // also sets kDisplayCaption
constexpr std::uint32_t kDisplayChooseMode = 0x800;

// The style of a window created (creation) or restyled in the mode with the flags.
std::uint32_t displayWindowStyle(std::uint32_t mode, std::uint32_t flags, bool creation);

struct DisplayModeInfo {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bitsPerPixel;
};

// The index of the mode to set: of the modes at least width x height at at least depth bits, the first,
// replaced by a later one smaller in width or height, or of the same size with fewer bits; -1 for none.
int displayChooseMode(const std::vector<DisplayModeInfo>& modes, std::int32_t width, std::int32_t height,
                      std::uint32_t depth);

// Picture placements.
constexpr std::uint16_t kDisplayCentred = 0;
constexpr std::uint16_t kDisplayTopLeft = 1;

// Where the picture's top-left lands in a client area: centred (the odd pixel right and bottom) or at
// 0, 0; false for any other placement, which keeps the window canvas as it is.
bool displayPictureOrigin(std::uint16_t placement, int clientWidth, int clientHeight, int pictureWidth,
                          int pictureHeight, int* x, int* y);
