// The stand-in for the activity layer in the engine's tests: it answers the configuration queries from a
// script and logs the application messages (and a few window messages) as "<message> <wParam>" before handing
// them to the current module; modules m1 to m4 log "m<n> <message> <wParam> <lParam as a module name>".
// Message boxes become "box ..." lines on the same log, answered with the scripted button.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "AppModule.h"
#include "EngineClock.h"

namespace standin {

struct Script {
    std::vector<std::int32_t> requirementAnswers;  // query 2, in turn; 0 once they run out
    std::string applicationFolder;                 // query 4 sets it (and both resource folders beneath)
    int boxAnswer = IDOK;
    bool refuseEnd[5] = {};                        // module n answers 10007 with 0
    std::function<void(UINT, WPARAM)> onMessage;   // called for every logged message
};

inline Script script;
inline std::vector<std::string> log;
inline std::uint32_t now = 0;

// The module procedures and the name of one as a log shows it ("-" for none).
template <int N>
LRESULT CALLBACK module(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
std::string moduleName(LPARAM module);

}  // namespace standin

// A fixture with the stand-in reset, the engine clock on standin::now and message boxes logged; the window
// it makes is destroyed at the end.
struct AppTest : ::testing::Test {
    void SetUp() override;
    void TearDown() override;
    // A hidden window of a class of its own with that procedure.
    HWND makeWindow(WNDPROC procedure, DWORD style = WS_POPUP, int width = 64, int height = 48, DWORD extra = 0);
    HWND window = nullptr;
};
