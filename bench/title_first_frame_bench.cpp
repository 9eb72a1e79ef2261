// Tottlewick.exe on the generated title (build/title), measured from outside: the time from process start
// until the screen shows the Intro's first picture in its own colours, beside the plain Win32 program that
// opens a window and paints it once; both are started and watched the same way in the same run. The title
// needs its disc in drive E: and true colour: bench/title_first_frame_bench.sh brings up such a world.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "CannotMeasure.h"
#include "GeneratedTitle.h"
#include "ProgramWindow.h"
#include "TempFolder.h"
#include "TitleIds.h"
#include "TitlePaint.h"

namespace {

constexpr int kStarts = 5;
constexpr DWORD kTimeoutMs = 30000;

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The Intro's first picture at (4, 100): its gradient's shade 11 in the Intro's palette.
COLORREF introColour() {
    const std::uint32_t rgb = titleColours(kTitleModules[1].hue)[hueShade(11)];
    return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

// Seconds from the start of the program until its window of windowClass shows `colour` at the picture's
// point (x, y) (the picture of width x height centred in the window); -1 when it never showed. The
// program is ended afterwards.
double timeToColour(const std::string& program, const std::string& folder, const char* windowClass, int width,
                    int height, POINT at, COLORREF colour) {
    const double start = seconds();
    ProgramWindow run(program, folder);
    const HWND window = run.waitForWindow(windowClass, kTimeoutMs);
    if (!window) return -1;
    RECT client;
    GetClientRect(window, &client);
    const POINT point{(client.right - width) / 2 + at.x, (client.bottom - height) / 2 + at.y};
    return run.waitForColour(window, point, colour, kTimeoutMs) ? seconds() - start : -1;
}

}  // namespace

int main() {
    TempFolder folder;
    if (GetDriveTypeA("E:\\") != DRIVE_CDROM) cannotMeasure("no CD-ROM drive E: (run bench/title_first_frame_bench.sh)");
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    if (depth < 24) cannotMeasure("the display is not true colour (run bench/title_first_frame_bench.sh)");
    const std::string title = generatedTitleFolder();
    CreateDirectoryA(folder.file("Resource").c_str(), nullptr);
    for (const char* name : {"Tottlewick.exe", "mss32.dll", "Resource\\Global.PRS"}) {
        if (!CopyFileA((title + "\\" + name).c_str(), folder.file(name).c_str(), FALSE))
            cannotMeasure("the generated title is missing (build the tottlewick_title target)");
    }
    const std::string plain = ProgramWindow::ownFolder() + "first_frame_baseline.exe";
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    std::vector<double> titleTimes, baseline;
    for (int i = 0; i < kStarts; ++i) {
        baseline.push_back(measured(
            timeToColour(plain, folder.path(), "FirstFrameBaseline", screenW, screenH, {600, 440}, RGB(0, 128, 0)),
            "the plain window never showed its colour"));
        titleTimes.push_back(measured(timeToColour(folder.file("Tottlewick.exe"), folder.path(), "Tottlewick", 640,
                                                   480, {4, 100}, introColour()),
                                      "Tottlewick.exe never showed the Intro's picture"));
    }
    const double first = medianOf(titleTimes), plainFirst = medianOf(baseline);
    std::printf(
        "start to first frame (median of %d): Tottlewick.exe to the Intro's picture %.1f ms, a plain window "
        "painted once %.1f ms, ratio %.2f\n",
        kStarts, first * 1e3, plainFirst * 1e3, first / plainFirst);
    return 0;
}
