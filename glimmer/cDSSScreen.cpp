// The screen-depth query of the splash-screen library.
#include "cDSSScreen.h"

int cDSSScreen::depth() {
    if (depth_ != 0) return depth_;
    HDC info = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (info == nullptr) return 8;
    int bits = GetDeviceCaps(info, BITSPIXEL) * GetDeviceCaps(info, PLANES);
    depth_ = bits > 24 ? 24 : bits;
    DeleteDC(info);
    return depth_;
}
