// The window styles, the display-mode choice and the picture placement.
#include "DisplayStyle.h"

#include <windows.h>

std::uint32_t displayWindowStyle(std::uint32_t mode, std::uint32_t flags, bool creation) {
    std::uint32_t style = 0;
    if (flags & kDisplayOverlapped) {
        flags |= kDisplayCaption;
        style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    }
    const bool caption = (flags & kDisplayCaption) != 0;
    if (mode == kDisplayModeFullScreen) {
        style |= WS_POPUP;
        if (caption) style |= WS_CAPTION | WS_MINIMIZEBOX | WS_SYSMENU | (creation ? WS_MAXIMIZE : WS_MAXIMIZEBOX);
    } else if (mode == kDisplayModeWindow) {
        style |= caption ? WS_MINIMIZEBOX | WS_SYSMENU | (creation ? WS_MAXIMIZE : 0) : WS_POPUP;
    }
    return style;
}

int displayChooseMode(const std::vector<DisplayModeInfo>& modes, std::int32_t width, std::int32_t height,
                      std::uint32_t depth) {
    int chosen = -1;
    for (int i = 0; i < static_cast<int>(modes.size()); ++i) {
        const DisplayModeInfo& m = modes[i];
        if (m.bitsPerPixel < depth || std::int64_t(m.width) < width || std::int64_t(m.height) < height) continue;
        if (chosen < 0) {
            chosen = i;
            continue;
        }
        const DisplayModeInfo& best = modes[chosen];
        const bool smaller = m.width < best.width || m.height < best.height;
        const bool sameSize = m.width == best.width && m.height == best.height;
        if (smaller || (sameSize && m.bitsPerPixel < best.bitsPerPixel)) chosen = i;
    }
    return chosen;
}

bool displayPictureOrigin(std::uint16_t placement, int clientWidth, int clientHeight, int pictureWidth,
                          int pictureHeight, int* x, int* y) {
    if (placement == kDisplayCentred) {
        *x = (clientWidth - pictureWidth) / 2;
        *y = (clientHeight - pictureHeight) / 2;
        return true;
    }
    if (placement == kDisplayTopLeft) {
        *x = 0;
        *y = 0;
        return true;
    }
    return false;
}
