// What the main loop and name resolution cost: loop passes with three tasks (one message peek each)
// beside the task slices alone, and search-path look-ups in a scanned directory beside an unscanned
// one (a file-status query per look-up), measured in the same run.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "OMApp.h"
#include "OMSearchPath.h"
#include "OMSystemUtilities.h"
#include "BenchClock.h"

namespace {

constexpr int kPasses = 20000;
constexpr int kLookups = 20000;

int slices = 0;
void countSlice(OMArg) {
    if (++slices == 3 * kPasses) theApp->quit();
}

void benchLoop() {
    setAppInstance(GetModuleHandleA(nullptr));
    static_cast<void>(findRunningInstance(appInstance()));
    const OMRect screen = screenBounds(0);
    OMApp app(2, &screen, nullptr, 8);
    OMLinkToFct link(countSlice);
    OMTask a(&link, 0);
    OMTask b(&link, 0);
    OMTask c(&link, 0);
    for (OMTask* task : {&a, &b, &c}) appendTask(task);

    double start = seconds();
    app.runMessageLoop();
    const double loopTime = seconds() - start;

    slices = 0;
    start = seconds();
    for (int i = 0; i < kPasses; ++i) runTaskSlices(app.tasks);
    const double sliceTime = seconds() - start;
    std::printf("main loop pass (3 tasks): %8.2f us   slices alone: %8.3f us   ratio %.1f\n",
                loopTime * 1e6 / kPasses, sliceTime * 1e6 / kPasses, loopTime / sliceTime);
}

double timeLookups(const char* name) {
    const double start = seconds();
    for (int i = 0; i < kLookups; ++i) {
        const std::unique_ptr<char[]> path = resolvePath(name);
        if (!path) std::printf("unresolved %s\n", name);
    }
    return seconds() - start;
}

void benchSearchPath() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string scanned = std::string(temp) + "om_platform_bench_scanned";
    const std::string plain = std::string(temp) + "om_platform_bench_plain";
    CreateDirectoryA(scanned.c_str(), nullptr);
    CreateDirectoryA(plain.c_str(), nullptr);
    for (int i = 0; i < 64; ++i) {
        const std::string name = "sound" + std::to_string(i) + ".wav";
        CloseHandle(CreateFileA((scanned + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        CloseHandle(CreateFileA((plain + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    setSearchAll(1);
    addSearchDirectory(scanned.c_str(), 1);
    const double inMemory = timeLookups("SOUND63.WAV");
    clearSearchPath();
    addSearchDirectory(plain.c_str(), 0);
    const double onDisk = timeLookups("sound63.wav");
    clearSearchPath();
    std::printf("resolvePath, scanned (64 names): %8.3f us   unscanned (stat): %8.2f us   ratio %.1f\n",
                inMemory * 1e6 / kLookups, onDisk * 1e6 / kLookups, onDisk / inMemory);
    for (int i = 0; i < 64; ++i) {
        const std::string name = "\\sound" + std::to_string(i) + ".wav";
        DeleteFileA((scanned + name).c_str());
        DeleteFileA((plain + name).c_str());
    }
    RemoveDirectoryA(scanned.c_str());
    RemoveDirectoryA(plain.c_str());
}

}  // namespace

int main() {
    benchLoop();
    benchSearchPath();
    return 0;
}
