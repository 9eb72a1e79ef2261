// Runs PScripts\main.mps on a 640 x 460 trinket window with ASEQ, WAVE and RRGB data from "anims.dll"; then
// writes the window as shown to "window.bgr" (460 rows of 640 blue, green, red). "-directdraw" draws through
// DirectDraw surfaces.
#include <windows.h>

#include <cstring>
#include <vector>

#include "OMAlert.h"
#include "OMIStreamDLL16.h"
#include "OMSystemUtilities.h"
#include "OMTBackground.h"
#include "OMTrinketWindow.h"
#include "RAnimation.h"
#include "ScriptHost.h"
#include "WineDirect3D.h"
#include "YDeathInterest.h"

namespace {

constexpr const char* kModule = "anims.dll";
constexpr std::int32_t kWidth = 640;
constexpr std::int32_t kHeight = 460;

OMIStream* findData(std::int16_t id, const char* type) {
    if (OMIStreamDLL16::query(id, type, kModule).size == 0) return nullptr;
    return new OMIStreamDLL16(id, type, kModule, kStreamWhole, nullptr);
}

void loadWindowPalette(OMTrinketWindow& window) {
    OMIStream* stream = findData(1, "RRGB");
    if (!stream) return;
    OMColorRecord table[256];
    window.offscreen->getColorTable(table);
    OMAnimation::loadPalette(stream, table);
    window.setPalette(table, 0);
}

void writeScreenshot(OMTrinketWindow& window) {
    window.invalidateAll();
    window.update();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    POINT origin{0, 0};
    ClientToScreen(window.hwnd, &origin);
    BitBlt(memory, 0, 0, kWidth, kHeight, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    if (std::FILE* file = std::fopen("window.bgr", "wb")) {
        std::fwrite(bits, 3, static_cast<std::size_t>(kWidth * kHeight), file);
        std::fclose(file);
    }
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

}  // namespace

void applicationMain() {
    omSetAlertSink(alertToStandardError);
    // Naming the records links the classes in.
    if (!classExists(OMAnimation::classRecord.className) || !classExists(RAnimation::classRecord.className)) return;
    OMRect frame{0, 0, kWidth, kHeight};
    std::int32_t mode = 2;
    if (std::strstr(GetCommandLineA(), "-directdraw")) {
        useWineGdiRenderer();
        useDirectDraw = 1;
        noDirectDrawSurfaces = 0;
        frame = screenBounds(0);
        mode = 4;
    }
    OMApp* app = new OMApp(mode, &frame, nullptr, displayBitsPerPixel(0));
    ShowWindow(app->window, SW_SHOWNA);
    const OMRect area{0, 0, kWidth, kHeight};
    auto* window = new OMTrinketWindow(&area, new OMTBackground, kFrameNone, 0);
    window->activate();
    app->active = 1;
    loadWindowPalette(*window);
    OMAnimation::animationHook = [](std::int16_t id) { return findData(id, "ASEQ"); };
    OMAnimation::soundHook = [](std::int16_t id) { return findData(id, "WAVE"); };
    installDeathHooks();
    runFirstScript("main.mps");
    writeScreenshot(*window);
    removeDeathHooks();
    delete window;
    delete app;
}
