// A program on the platform layer that asks for full-screen DirectDraw, for the fallback tests: the
// application in mode 4 over the screen with useDirectDraw 1 and memory canvases as surfaces. It writes
// what it got to "qdirectdraw.log" in the current folder:
//   mode <window mode> active <directDrawActive> memory <gdiMemoryCanvases> surface <0/1> available <0/1>
// where surface tells whether a new memory canvas is a surface, and available answers whether the
// screen's own mode is available at 8 bits.
#include <cstdio>

#include "OMApp.h"
#include "OMMemCanvas.h"
#include "OMSystemUtilities.h"

void applicationMain() {
    useDirectDraw = 1;
    noDirectDrawSurfaces = 0;
    const OMRect screen = screenBounds(0);
    auto* app = new OMApp(4, &screen, nullptr, displayBitsPerPixel(0));
    auto* canvas = new OMMemCanvas(8, 8, 8, 1);
    if (std::FILE* log = std::fopen("qdirectdraw.log", "wb")) {
        std::fprintf(log, "mode %d active %d memory %d surface %d available %d\n", static_cast<int>(app->windowMode),
                     static_cast<int>(directDrawActive), static_cast<int>(gdiMemoryCanvases),
                     canvas->drawsOnSurface() ? 1 : 0,
                     static_cast<int>(OMApp::isDisplayModeAvailable(screen.right, screen.bottom, 8)));
        std::fclose(log);
    }
    delete canvas;
    delete app;
}
