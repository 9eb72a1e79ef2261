// What drawing between canvases costs: copyFrom of a 640 x 460 8-bit memory canvas (plain and with the
// colour-key bit, which GDI mode drops) beside memcpy of the same bytes, and presenting such a canvas to
// a window canvas beside bare BitBlt and StretchDIBits calls of the same picture, measured in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchClock.h"
#include "OMApp.h"
#include "OMMemCanvas.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"

namespace {

constexpr std::int32_t kWidth = 640;
constexpr std::int32_t kHeight = 460;
constexpr int kCopies = 2000;
constexpr int kPresents = 200;
constexpr int kRounds = 7;


void fill(OMMemCanvas& canvas) {
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    canvas.lockBits(bits, pitch);
    for (std::int32_t i = 0; i < pitch * kHeight; ++i) bits[i] = static_cast<std::uint8_t>(10 + i % 236);
}

void benchCopies() {
    OMMemCanvas source(kWidth, kHeight, 8, 1);
    OMMemCanvas destination(kWidth, kHeight, 8, 1);
    fill(source);
    std::vector<std::uint8_t> from(kWidth * kHeight, 7);
    std::vector<std::uint8_t> to(kWidth * kHeight);
    const double plainMemcpy =
        fastestEach(kRounds, kCopies, [&](int) { std::memcpy(to.data(), from.data(), to.size()); });
    const double plain = fastestEach(kRounds, kCopies, [&](int) {
        destination.copyFrom(source, 0, 0, kWidth, kHeight, 0, 0, kCopyRop, nullptr);
    });
    const double keyed = fastestEach(kRounds, kCopies, [&](int) {
        destination.copyFrom(source, 0, 0, kWidth, kHeight, 0, 0, kColorKeyedCopy | kCopyRop, nullptr);
    });
    std::printf("copyFrom 640x460x8, plain: %8.1f us   keyed: %8.1f us   memcpy: %8.1f us   "
                "plain %.0f%%, keyed %.0f%% of memcpy speed\n",
                plain * 1e6, keyed * 1e6, plainMemcpy * 1e6, 100 * plainMemcpy / plain, 100 * plainMemcpy / keyed);
}

// A framework window: a child of the main window with its own device context and window canvas.
class PresentWindow : public OMWindow {
public:
    PresentWindow() : OMWindow(&kFrame, kFrameNone, 0) { showInactive(); }

private:
    static constexpr OMRect kFrame{0, 0, kWidth, kHeight};
};

void benchPresent() {
    setAppInstance(GetModuleHandleA(nullptr));
    static_cast<void>(findRunningInstance(appInstance()));
    const OMRect frame{0, 0, kWidth + 40, kHeight + 60};
    OMApp app(0, &frame, nullptr, displayBitsPerPixel(0));
    PresentWindow window;
    OMMemCanvas picture(kWidth, kHeight, 8, 1);
    fill(picture);
    OMWndCanvas& screen = *window.canvas;
    HDC windowDC = GetDC(window.hwnd);
    const double present = fastestEach(kRounds, kPresents, [&](int) {
        screen.copyFrom(picture, 0, 0, kWidth, kHeight, 0, 0, kCopyRop, nullptr);
    });
    const double bitBlt = fastestEach(kRounds, kPresents, [&](int) {
        BitBlt(windowDC, 0, 0, kWidth, kHeight, picture.dc, 0, 0, SRCCOPY);
    });
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
    GetDIBColorTable(picture.dc, 0, 256, info.colors);
    const double stretch = fastestEach(kRounds, kPresents, [&](int) {
        StretchDIBits(windowDC, 0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, picture.bits,
                      reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
    });
    ReleaseDC(window.hwnd, windowDC);
    const double perFrameDC = fastestEach(kRounds, kPresents, [&](int) {
        HDC dc = GetDC(window.hwnd);
        HPALETTE previous = SelectPalette(dc, screen.palette, FALSE);
        BitBlt(dc, 0, 0, kWidth, kHeight, picture.dc, 0, 0, SRCCOPY);
        SelectPalette(dc, previous, FALSE);
        ReleaseDC(window.hwnd, dc);
    });
    std::printf("present 640x460x8 to a %d-bit window: %8.1f us   bare BitBlt: %8.1f us (%.2fx)   "
                "bare StretchDIBits: %8.1f us (%.2fx)   BitBlt with GetDC and the palette: %8.1f us (%.2fx)\n",
                screen.depth, present * 1e6, bitBlt * 1e6, present / bitBlt, stretch * 1e6, present / stretch,
                perFrameDC * 1e6, present / perFrameDC);
}

}  // namespace

int main() {
    benchCopies();
    benchPresent();
    return 0;
}
