// Tottlewick's start and main loop. First, the time from process start to the first flushed frame of
// TottlewickTestApp.exe (with the test "Global" resource file) beside a plain Win32 program that opens a window
// and paints it once, both started the same way in the same run; each signals the event
// "TottlewickFirstFrame". Second, the cost of one idle pass of the main loop with every manager started
// (the idle services, an empty message queue, the tick with its flush of nothing, the timer step) beside
// the bare empty-queue peeks that a pass makes. Under Wine each empty peek is a round trip to the
// wineserver; pin the run with `taskset -c 0`.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "AppBindings.h"
#include "CannotMeasure.h"
#include "AppGlobals.h"
#include "AppManagers.h"
#include "AppModule.h"
#include "AppRun.h"
#include "AppStart.h"
#include "BenchClock.h"
#include "DisplayWindow.h"
#include "EngineMessageBox.h"
#include "TempFolder.h"
#include "TottlewickGlobal.h"
#include "Update.h"
#include "UtilString.h"

namespace {

constexpr int kStarts = 5;
constexpr int kPasses = 20000;

std::string binFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Seconds from CreateProcess to the event; the program is closed again afterwards. -1 when it failed.
double timeToFirstFrame(const std::string& program, const char* windowClass, const std::string& folder) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, "TottlewickFirstFrame");
    std::string line = "\"" + program + "\" signal";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = seconds();
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process))
        return -1;
    const bool signalled = WaitForSingleObject(event, 30000) == WAIT_OBJECT_0;
    const double elapsed = seconds() - start;
    if (HWND window = FindWindowA(windowClass, nullptr)) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(event);
    return signalled ? elapsed : -1;
}

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The in-process application of the idle-pass measurement: it flushes on every tick and quits after the
// passes to measure.
int ticks = 0;
std::string applicationFolder;

int silentBox(const char*, const char*, unsigned) { return IDOK; }

double idlePassSeconds() {
    ticks = 0;
    const double start = seconds();
    AppRun();
    return (seconds() - start) / kPasses;
}

double emptyPeeksSeconds() {
    MSG message;
    return secondsEach(kPasses, [&](int) {
        PeekMessageA(&message, nullptr, kAppMouseFirst, kAppMouseLast, PM_REMOVE);
        PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
    });
}

}  // namespace

std::int32_t AppConfigCallback(std::int16_t query, void* data) {
    if (query == kAppQueryWindowMode) return 1;
    if (query == kAppQueryFolders) UtilStrCopy(static_cast<char*>(data), applicationFolder.c_str(), MAX_PATH);
    return 0;
}

LRESULT AppMessageHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAppTick) {
        UpdateFlush();
        if (++ticks >= kPasses) AppQuit();
    }
    if (message == kAppStartup || message == kAppShutdown) return 0;
    return AppDefWindowProc(window, message, wParam, lParam);
}

int main() {
    TempFolder folder;
    if (!writeTottlewickGlobal(folder.path())) cannotMeasure("the test Global.PRS could not be written");
    std::vector<double> program;
    std::vector<double> baseline;
    for (int i = 0; i < kStarts; ++i) {
        const std::string plain = binFolder() + "first_frame_baseline.exe";
        baseline.push_back(measured(timeToFirstFrame(plain, "FirstFrameBaseline", folder.path()),
                                    "the plain window never signalled its first frame"));
        program.push_back(measured(timeToFirstFrame(binFolder() + "TottlewickTestApp.exe", "Tottlewick", folder.path()),
                                   "TottlewickTestApp.exe never signalled its first frame"));
    }
    const double startProgram = medianOf(program);
    const double startBaseline = medianOf(baseline);
    std::printf("start to first frame (median of %d): TottlewickTestApp.exe %.1f ms, a plain window painted once %.1f ms, "
                "ratio %.2f\n",
                kStarts, startProgram * 1e3, startBaseline * 1e3, startProgram / startBaseline);

    EngineSetMessageBoxHook(silentBox);
    AppInitGlobals(GetModuleHandleA(nullptr));
    applicationFolder = folder.path();
    AppInitFolders();
    if (!AppLocateResources() || !AppInitEarly() || !AppCheckRequirements() || !AppSetupWindowClass() ||
        !AppInitManagers(0))
        cannotMeasure("the managers did not start");
    const double pass = idlePassSeconds();
    const double peeks = emptyPeeksSeconds();
    std::printf("idle pass of the main loop: %.2f us, the two empty peeks alone %.2f us, ratio %.2f\n", pass * 1e6,
                peeks * 1e6, pass / peeks);
    AppShutdown();
    return 0;
}
