// The application's DirectDraw: its set-up for the main window, display modes and their enumeration.
#include "OMApp.h"
#include "OMDirectDraw.h"
#include "OMSurface.h"
#include "OMSystemUtilities.h"

namespace {

// A new IDirectDraw of `driver`; the result stays null unless the call succeeded.
bool createDirectDraw(GUID* driver, IDirectDraw*& made) {
    IDirectDraw* directDraw = nullptr;
    if (FAILED(directDrawLibrary().directDrawCreate(driver, &directDraw, nullptr))) return false;
    made = directDraw;
    return true;
}

// The enumeration stops at the first mode that matches the description.
HRESULT WINAPI markModeFound(DDSURFACEDESC*, void* found) {
    *static_cast<bool*>(found) = true;
    return DDENUMRET_CANCEL;
}

bool enumeratesMode(IDirectDraw2* directDraw, std::int32_t width, std::int32_t height, std::int32_t bits) {
    DDSURFACEDESC wanted{};
    wanted.dwSize = sizeof wanted;
    wanted.dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    wanted.dwWidth = static_cast<DWORD>(width);
    wanted.dwHeight = static_cast<DWORD>(height);
    wanted.ddpfPixelFormat.dwSize = sizeof wanted.ddpfPixelFormat;
    wanted.ddpfPixelFormat.dwRGBBitCount = static_cast<DWORD>(bits);
    bool found = false;
    return SUCCEEDED(directDraw->EnumDisplayModes(0, &wanted, &found, markModeFound)) && found;
}

// A DirectDraw of its own at the normal level, proven by making (and dropping) a primary surface.
bool openTemporaryDirectDraw(IDirectDraw*& directDraw, IDirectDraw2*& directDraw2) {
    if (!createDirectDraw(nullptr, directDraw)) return false;
    if (FAILED(directDraw->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&directDraw2)))) return false;
    if (FAILED(directDraw2->SetCooperativeLevel(nullptr, DDSCL_NORMAL))) return false;
    IDirectDrawSurface* primary = makeSurface(directDraw2, DDSCAPS_PRIMARYSURFACE);
    if (!primary) return false;
    primary->Release();
    return true;
}

}  // namespace

static_assert(sizeof(DDPIXELFORMAT) == 32, "pixel formats are 32 bytes");

void OMApp::startDirectDraw() {
    if (useDirectDraw != 1) return;
    loadDirectDraw();
    if (directDrawLibrary().usable() && openDirectDraw()) return;
    windowMode = 2;
    releaseDirectDraw();
}

// Each step runs only when the one before succeeded. Mode 4 takes the screen exclusively in the
// frame's size and the asked colour depth.
bool OMApp::openDirectDraw() {
    if (!createDirectDraw(driverGuid, directDraw)) return false;
    if (FAILED(directDraw->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&directDraw2)))) return false;
    const bool exclusive = windowMode == 4;
    if (FAILED(directDraw2->SetCooperativeLevel(window, exclusive ? DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN : DDSCL_NORMAL))) {
        return false;
    }
    return !exclusive || SUCCEEDED(directDraw2->SetDisplayMode(static_cast<DWORD>(frame.right - frame.left),
                                                               static_cast<DWORD>(frame.bottom - frame.top),
                                                               static_cast<DWORD>(colourDepth), 0, 0));
}

void OMApp::releaseDirectDraw() {
    releaseInterface(directDraw2);
    releaseInterface(directDraw);
}

std::int32_t OMApp::changeDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bits) {
    if (windowMode != 4 || !directDraw2) return 0;
    if (FAILED(directDraw2->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height),
                                           static_cast<DWORD>(bits), 0, 0))) {
        return 0;
    }
    frame = screenBounds(displayNumber);
    MoveWindow(window, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, FALSE);
    return 1;
}

// The application's own DirectDraw answers when there is one; else a temporary one.
std::int32_t OMApp::isDisplayModeAvailable(std::int32_t width, std::int32_t height, std::int32_t bits) {
    loadDirectDraw();
    if (!directDrawLibrary().usable()) return 0;
    if (theApp && theApp->directDraw2) return enumeratesMode(theApp->directDraw2, width, height, bits) ? 1 : 0;
    IDirectDraw* directDraw = nullptr;
    IDirectDraw2* directDraw2 = nullptr;
    const bool available =
        openTemporaryDirectDraw(directDraw, directDraw2) && enumeratesMode(directDraw2, width, height, bits);
    releaseInterface(directDraw2);
    releaseInterface(directDraw);
    return available ? 1 : 0;
}
