// The title probe's child side (scenarios run through AppMain on the scripted clock and random source)
// and its test side (a child run and its log).
#include "TitleProbe.h"

#include <cstdio>
#include <cstring>
#include <map>

#include "AppBindings.h"
#include "AppMain.h"
#include "AppRun.h"
#include "ChildProcess.h"
#include "DiscLock.h"
#include "DisplayWindow.h"
#include "EngineClock.h"
#include "EngineMessageBox.h"
#include "Files.h"
#include "Rand.h"
#include "mss32.h"

namespace probe {
namespace {

constexpr char kLogName[] = "probe.log";

std::map<std::string, Scenario>& scenarios() {
    static std::map<std::string, Scenario> table;
    return table;
}

const Scenario* current = nullptr;
std::uint32_t clockNow = 0;
std::uint32_t passes = 0;
std::uint32_t draws = 0;
std::uint32_t idlesThisPass = 0;

std::uint32_t readsThisPass = 0;
// The clock's reads in one pass beyond which a loop is taken to wait for it without the idle services
// (the film waiting for its sound block): from there on every read moves it 1 ms.
constexpr std::uint32_t kBusyReads = 100000;

std::uint32_t scriptedClock() {
    if (++readsThisPass > kBusyReads) ++clockNow;
    return clockNow;
}

// A fixed sequence of 15-bit values, the same in every run.
std::uint16_t scriptedRandom() {
    draws = draws * 1103515245u + 12345u;
    return static_cast<std::uint16_t>(draws >> 16 & 0x7FFF);
}

// The door lock's system calls, logged as "door 1" and "door 0" so that no run touches a real drive.
const DiscLockPlatform loggedDoor{
    [] { return DWORD{VER_PLATFORM_WIN32_NT}; },
    [](const char*, DWORD, DWORD, DWORD, DWORD) { return reinterpret_cast<HANDLE>(1); },
    [](HANDLE, DWORD, void* in, DWORD, void*, DWORD) {
        log("door " + std::to_string(*static_cast<std::uint8_t*>(in)));
        return TRUE;
    },
    [](HANDLE) { return TRUE; }};

int answerBox(const char* text, const char* caption, unsigned style) {
    log("box " + EngineMessageBoxLine(text, caption, style));
    return current->boxAnswer;
}

// The screen transitions and fades wait for the clock while calling the idle services: every idle call
// of a pass after the main loop's own moves the scripted clock 1 ms, so that a wait of n ms ends after n
// calls.
void onIdle() {
    if (idlesThisPass++ > 0) ++clockNow;
}

void onTick(WPARAM) {
    idlesThisPass = 0;
    readsThisPass = 0;
    current->hook(++passes);
}

}  // namespace

bool add(const Scenario& scenario) {
    scenarios()[scenario.name] = scenario;
    return true;
}

void log(const std::string& line) {
    if (FILE* file = std::fopen(kLogName, "ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

std::uint32_t now() {
    return clockNow;
}

void advance(std::uint32_t ms) {
    clockNow += ms;
}

HWND window() {
    return DisplayGetWindow();
}

void send(UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageA(window(), message, wParam, lParam);
}

int runScenario(const char* name) {
    const auto found = scenarios().find(name);
    if (found == scenarios().end()) return 99;
    current = &found->second;
    std::remove(kLogName);
    ClockSetSource(scriptedClock);
    MssTestUseVirtualDevice(scriptedClock);
    EngineSetMessageBoxHook(answerBox);
    RandSetSource(scriptedRandom);
    DiscLockSetPlatform(&loggedDoor);
    AppSetTickHook(onTick);
    AppSetIdleHook(onIdle);
    return AppMain(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
}

}  // namespace probe

ProbeResult probeRun(const std::string& scenario, const std::string& folder, const std::string& program) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string run = program.empty() ? self : program;
    const ChildResult child = runChild("\"" + run + "\" --scenario " + scenario, folder, 60000);
    ProbeResult result{child.exitCode, {}, child.output};
    const std::string name = folder + "\\probe.log";
    if (fileExists(name)) result.log = splitLines(readWholeFile(name), "\n");
    if (!result.log.empty() && result.log.back().empty()) result.log.pop_back();
    return result;
}
