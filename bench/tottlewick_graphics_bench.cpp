// The copy engine beside its floors, measured in the same run: a 640 x 480 8-bit memory canvas copied to
// another against memcpy of the same bytes (goal: at least 30% of memcpy's speed), and copied to a window
// canvas against a bare BitBlt loop between the same device contexts (goal: at most 1.2x).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchClock.h"
#include "CanvasCopy.h"
#include "MemHandle.h"
#include "Palette.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr std::uintptr_t kSize = kWidth | kHeight << 16;

double microsecondsEach(int count, void (*work)(int)) { return secondsEach(count, work) * 1e6; }

Canvas source = 0;
Canvas target = 0;
Canvas window = 0;
std::vector<std::uint8_t> from(kWidth * kHeight, 7);
std::vector<std::uint8_t> to(kWidth * kHeight);
const Rect whole{0, 0, kWidth, kHeight};

HWND openWindow() {
    WNDCLASSA type{};
    type.lpfnWndProc = DefWindowProcA;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "GraphicsBench";
    RegisterClassA(&type);
    return CreateWindowExA(0, "GraphicsBench", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr,
                           type.hInstance, nullptr);
}

void report(const char* what, double each, double floor, const char* goal) {
    std::printf("%-44s %10.1f us   %6.2fx the floor   (%.0f%% of its speed; goal %s)\n", what, each, each / floor,
                100.0 * floor / each, goal);
}

void floorLine(const char* what, double each) { std::printf("%-44s %10.1f us\n", what, each); }

}  // namespace

int main() {
    MemInit(kMemFirstTableEntries, kMemGrowEntries);
    PalMgrInit();
    HPALETTE grey = nullptr;
    PalCreateStock(&grey, kPalStockGrey);
    PalSetCurrent(grey);
    HWND handle = openWindow();
    if (!CanvasCreate(&source, kSize, kCanvasMemory | kCanvasDepth8) ||
        !CanvasCreate(&target, kSize, kCanvasMemory | kCanvasDepth8) ||
        !CanvasCreate(&window, reinterpret_cast<std::uintptr_t>(handle), kCanvasWindow)) {
        std::printf("no canvases\n");
        return 0;
    }
    constexpr int kRounds = 200;

    const double memcpyEach = microsecondsEach(kRounds, [](int) { std::memcpy(to.data(), from.data(), to.size()); });
    floorLine("memcpy of 640 x 480 bytes (floor)", memcpyEach);
    report("CanvasCopy memory to memory, 640 x 480", microsecondsEach(kRounds, [](int) {
               CanvasCopy(target, 0, 0, source, &whole);
           }),
           memcpyEach, ">= 30%");

    const double blitEach = microsecondsEach(kRounds, [](int) {
        BitBlt(CanvasGetDC(window), 0, 0, kWidth, kHeight, CanvasGetDC(source), 0, 0, SRCCOPY);
        GdiFlush();
    });
    floorLine("BitBlt memory DC to window DC (floor)", blitEach);
    report("CanvasCopy memory to window, 640 x 480", microsecondsEach(kRounds, [](int) {
               CanvasCopy(window, 0, 0, source, &whole);
               GdiFlush();
           }),
           blitEach, "<= 1.2x");

    CanvasDispose(&window);
    CanvasDispose(&target);
    CanvasDispose(&source);
    DestroyWindow(handle);
    PalMgrTerm();
    MemTerm();
    return 0;
}
