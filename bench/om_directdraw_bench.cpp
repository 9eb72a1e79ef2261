// DirectDraw mode beside GDI mode, the same work measured in the same run: copyFrom of a 640 x 460 8-bit
// memory canvas into another (BltFast between surfaces; a row copy through GDI), plain and colour-keyed,
// and presenting it to a window canvas (BltFast to the primary surface; BitBlt to the window), with a GDI
// memory canvas presented to the primary surface as the mixed case. Under Wine's GDI renderer at 8 bits.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "BenchClock.h"
#include "CannotMeasure.h"
#include "OMApp.h"
#include "OMDirectDraw.h"
#include "OMMemCanvas.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"
#include "WineDirect3D.h"

namespace {

constexpr std::int32_t kWidth = 640;
constexpr std::int32_t kHeight = 460;
constexpr int kCopies = 1000;
constexpr int kPresents = 200;
constexpr int kRounds = 5;


void fill(OMMemCanvas& canvas) {
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    if (!canvas.lockBits(bits, pitch)) return;
    for (std::int32_t y = 0; y < kHeight; ++y) {
        for (std::int32_t x = 0; x < kWidth; ++x) bits[y * pitch + x] = static_cast<std::uint8_t>(10 + (x + y) % 236);
    }
    canvas.unlockBits();
}

struct Figures {
    double plain = 0;
    double keyed = 0;
    double present = 0;
};

// A framework window of the picture's size (in DirectDraw mode it covers the main window's client area).
class PresentWindow : public OMWindow {
public:
    PresentWindow() : OMWindow(&kFrame, kFrameNone, 0) { showInactive(); }

private:
    static constexpr OMRect kFrame{0, 0, kWidth, kHeight};
};

// The application in the mode asked for: 0 through GDI, or 4 over the screen through DirectDraw with
// memory canvases as surfaces unless noSurfaces is 1.
Figures measure(std::int32_t mode, std::int32_t noSurfaces) {
    useDirectDraw = mode == 4 ? 1 : 0;
    noDirectDrawSurfaces = noSurfaces;
    const OMRect frame = mode == 4 ? screenBounds(0) : OMRect{0, 0, kWidth + 40, kHeight + 60};
    Figures figures;
    OMApp app(mode, &frame, nullptr, displayBitsPerPixel(0));
    if (app.windowMode != mode) return figures;
    {
        PresentWindow window;
        OMMemCanvas source(kWidth, kHeight, 8, kSystemMemorySurface);
        OMMemCanvas destination(kWidth, kHeight, 8, kSystemMemorySurface);
        fill(source);
        source.setColorKey({0, 0, 0, 77});
        figures.plain = fastestEach(kRounds, kCopies, [&](int) {
            destination.copyFrom(source, 0, 0, kWidth, kHeight, 0, 0, kCopyRop, nullptr);
        });
        figures.keyed = fastestEach(kRounds, kCopies, [&](int) {
            destination.copyFrom(source, 0, 0, kWidth, kHeight, 0, 0, kColorKeyedCopy | kCopyRop, nullptr);
        });
        OMWndCanvas& screen = *window.canvas;
        figures.present = fastestEach(kRounds, kPresents, [&](int) {
            screen.copyFrom(source, 0, 0, kWidth, kHeight, 0, 0, kCopyRop, nullptr);
        });
    }
    return figures;
}

}  // namespace

int main() {
    useWineGdiRenderer();
    setAppInstance(GetModuleHandleA(nullptr));
    static_cast<void>(findRunningInstance(appInstance()));
    const Figures gdi = measure(0, 1);
    const Figures surfaces = measure(4, 0);
    const Figures mixed = measure(4, 1);
    if (surfaces.present == 0) cannotMeasure("DirectDraw could not take the screen (an 8-bit world is needed)");
    std::printf("copyFrom 640x460x8, plain:  GDI %8.1f us   DirectDraw %8.1f us (%.2fx)\n", gdi.plain * 1e6,
                surfaces.plain * 1e6, surfaces.plain / gdi.plain);
    std::printf("copyFrom 640x460x8, keyed:  GDI %8.1f us   DirectDraw %8.1f us (%.2fx; GDI copies every pixel)\n",
                gdi.keyed * 1e6, surfaces.keyed * 1e6, surfaces.keyed / gdi.keyed);
    std::printf("present 640x460x8:          GDI %8.1f us   DirectDraw %8.1f us (%.2fx)   "
                "GDI canvas to the primary surface %8.1f us (%.2fx)\n",
                gdi.present * 1e6, surfaces.present * 1e6, surfaces.present / gdi.present, mixed.present * 1e6,
                mixed.present / gdi.present);
    unloadDirectDraw();
    return 0;
}
