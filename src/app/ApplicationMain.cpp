// The program's main: checks, construction in the fixed order, the first script, the loop, teardown.
#include "ApplicationMain.h"

#include <windows.h>

#include <string>

#include "AnimAction.h"
#include "AppCommands.h"
#include "AppCursors.h"
#include "DescriptorFile.h"
#include "OMApp.h"
#include "OMFontCache.h"
#include "OMIStreamDLL16.h"
#include "OMIStreamFile.h"
#include "OMSystemUtilities.h"
#include "OMTask.h"
#include "OMTrinketWindow.h"
#include "OMWndCanvas.h"
#include "PaletteMatch.h"
#include "RKbdInp.h"
#include "ResourceFinder.h"
#include "RWSlider.h"
#include "ScriptClasses.h"
#include "SoundAction.h"
#include "YDeathInterest.h"
#include "YScriptLoader.h"
#include "YThread.h"

namespace {

constexpr unsigned kAlertFlags = 0x3000;
constexpr std::int32_t kWindowMode = 2;
constexpr std::int32_t kBackgroundEntry = 248;

YThread* theMainThread = nullptr;
OMTask* restartTask = nullptr;

void repaintTrinketWindow(OMArg) {
    if (OMTrinketWindow::mainTrinketWindow) OMTrinketWindow::mainTrinketWindow->repaint();
}

void resetIdleTimers(OMArg) { resetScriptIdleTimers(); }

// A thread whose script loaded is set running and its start notification runs.
void runIfLoaded(YThread& thread) {
    if (!thread.loaded) return;
    thread.running = 1;
    if (thread.onStarted) thread.onStarted->invoke();
}

// Runs once: the task deletes itself after starting the script again.
void restartMainThread(OMArg) {
    OMTask* task = restartTask;
    restartTask = nullptr;
    if (theMainThread) {
        theMainThread->start(theMainThread->scriptName);
        runIfLoaded(*theMainThread);
    }
    delete task;
}

void startMainThread(const char* scriptName) {
    theMainThread = new YThread(scriptName, scriptPathResolver);
    runIfLoaded(*theMainThread);
}

// The 100,000-byte probe: 25,000 words, each its own index, written one by one to a temporary file.
bool diskProbeWritten() {
    char folder[MAX_PATH];
    char name[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "omp", 0, name)) return false;
    std::FILE* file = std::fopen(name, "w+bD");
    if (!file) {
        DeleteFileA(name);
        return false;
    }
    bool written = true;
    for (std::uint32_t word = 0; written && word < 25000; ++word) written = std::fwrite(&word, 4, 1, file) == 1;
    written = std::fflush(file) == 0 && written;
    std::fclose(file);
    return written;
}

bool wingLoads() {
    HMODULE wing = LoadLibraryA("WING32.DLL");
    if (reinterpret_cast<UINT_PTR>(wing) < 32) return false;
    FreeLibrary(wing);
    return true;
}

void installResourceHooks() {
    OMAnimation::animationHook = findAnimationResource;
    OMAnimation::soundHook = findSoundResource;
    AnimAction::setAnimationLookup([](std::uint16_t id) { return findResource(id, "ASEQ"); });
    SoundAction::setSoundLookup(findSoundActionResource);
    setNFNTFontLoader(findFontResource);
    RWSlider::capturePalette = captureWindowPalette;
    RWSlider::nearestColour = nearestPaletteIndex;
}

OMTrinketWindow* makeTrinketWindow(const OMRect& rect) {
    auto* window = new OMTrinketWindow(&rect, nullptr, kFrameNone, 0);
    const OMColorRecord entryZero{0, 0, 0, 0};
    window->canvas->erase(entryZero);
    window->offscreen->erase(entryZero);
    window->showInactive();
    const OMLinkToFct paint(repaintTrinketWindow);
    window->setPaintHandler(&paint);
    const OMLinkToFct activity(resetIdleTimers);
    replaceLink(window->activityLink, &activity);
    RKbdInp::setWindow(window);
    return window;
}

}  // namespace

YThread* mainThread() { return theMainThread; }

void quitApplication() {
    if (theApp) theApp->quit();
}

void restartMainThreadSoon() {
    if (restartTask) return;
    const OMLinkToFct link(restartMainThread);
    restartTask = new OMTask(&link, 0);
    appendTask(restartTask);
}

MachineProbes machineProbes() {
    MachineProbes probes;
    probes.availableVirtualBytes = [] {
        MEMORYSTATUSEX memory{};
        memory.dwLength = sizeof memory;
        return GlobalMemoryStatusEx(&memory) ? memory.ullAvailVirtual : 0;
    };
    probes.waveOutDevices = [] { return static_cast<std::uint32_t>(waveOutGetNumDevs()); };
    probes.wingLoads = wingLoads;
    probes.diskProbeWritten = diskProbeWritten;
    probes.bitsPerPixel = [] { return displayBitsPerPixel(0); };
    probes.screen = [] { return screenBounds(0); };
    return probes;
}

bool passStartupChecks(const MachineProbes& probes) {
    const char* text = failedCheckText(probes);
    if (text) alertBox(text, kAlertFlags, nullptr);
    return !text;
}

OMIStream* scriptPathResolver(const char* name) {
    const std::string path = std::string("PScripts\\") + name;
    return new OMIStreamFile(path.c_str(), kStreamWhole, nullptr);
}

void applicationMain() {
    if (!linkScriptClasses()) return;
    // A failed check ends the program here, so that no module's term function runs.
    if (!passStartupChecks(machineProbes())) ExitProcess(0);
    const OMRect screen = screenBounds(0);
    const OMRect rect = applicationWindowRect(screen.right, screen.bottom);
    auto* descriptor = new DescriptorFile("PLSDescriptor.txt");
    const OMColorRecord background{0, 0, 0, kBackgroundEntry};
    auto* app = new OMApp(kWindowMode, &screen, &background, displayBitsPerPixel(0));
    OMIStreamDLL16::setModuleCacheOn(true);
    registerApplicationCommands();
    OMTrinketWindow* window = makeTrinketWindow(rect);
    const AppCursors cursors = installCursors(*window);
    installDeathHooks();
    installResourceHooks();
    startMainThread(firstScriptName(takeHandOffFile("users\\quomb.dat")));
    app->runMessageLoop();
    delete restartTask;
    restartTask = nullptr;
    delete theMainThread;
    theMainThread = nullptr;
    removeDeathHooks();
    removeCursors(cursors);
    delete window;
    delete descriptor;
    delete app;
    freeScriptClasses();
}
