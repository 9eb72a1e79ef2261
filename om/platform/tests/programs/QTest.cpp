// A small application on the platform layer, driven by the tests through its command line:
//   wait    runs the main loop until the window is closed
//   tasks   three tasks and a suspended one log their slices; the second quits on its third slice
//   assert  fails an assertion
// Start-up and shut-down records and the slices log to "qtest.log" in the current folder.
#include <cstdio>
#include <cstring>

#include "OMApp.h"
#include "OMAppInitTerm.h"
#include "OMAssert.h"
#include "OMSystemUtilities.h"

namespace {
void logLine(const char* line) {
    if (std::FILE* log = std::fopen("qtest.log", "ab")) {
        std::fprintf(log, "%s\n", line);
        std::fclose(log);
    }
}

OMAppInitTerm first{[] { logLine("init 1"); }, [] { logLine("term 1"); }};
OMAppInitTerm second{nullptr, [] { logLine("term 2"); }};
OMAppInitTerm third{[] { logLine("init 3"); }, nullptr};

struct Registration {
    Registration() {
        registerInitTerm(&first);
        registerInitTerm(&second);
        registerInitTerm(&third);
    }
} registration;

int slicesOfB = 0;

void logSlice(OMArg name) {
    const char line[2] = {static_cast<char>(name), '\0'};
    logLine(line);
    if (name == 'B' && ++slicesOfB == 3) theApp->quit();
}

void runTasks() {
    OMLinkToFct a(logSlice, 'A');
    OMLinkToFct b(logSlice, 'B');
    OMLinkToFct c(logSlice, 'C');
    OMLinkToFct s(logSlice, 'S');
    OMTask taskA(&a, 1);
    OMTask taskB(&b, 2);
    OMTask taskC(&c, 3);
    OMTask taskS(&s, 0);
    taskS.suspended = 1;
    for (OMTask* task : {&taskC, &taskA, &taskS, &taskB}) appendTask(task);
    theApp->runMessageLoop();
}

const char* mode() {
    const char* line = GetCommandLineA();
    const char* last = std::strrchr(line, ' ');
    return last ? last + 1 : "";
}
}  // namespace

void applicationMain() {
    if (std::strcmp(mode(), "assert") == 0) OM_ASSERT(std::strlen(mode()) == 0);
    const OMRect screen = screenBounds(0);
    const OMColorRecord background{0, 0, 0, 248};
    OMApp* app = new OMApp(2, &screen, &background, displayBitsPerPixel(0));
    if (std::strcmp(mode(), "tasks") == 0) {
        runTasks();
    } else {
        app->runMessageLoop();
    }
    logLine("loop ended");
    delete app;
}
