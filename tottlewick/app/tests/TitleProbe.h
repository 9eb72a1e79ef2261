// The title probe: each scenario runs in a child process of the probe program through the real AppMain,
// in a folder the test prepared. Message boxes are logged and answered, the engine clock and the sound
// library's virtual device follow one scripted clock (which waits within a pass move on), the random
// source is scripted and the door lock only logs ("door 1", "door 0"). After every
// 10008 the scenario's hook runs: it posts input, moves the clock, reads state into the log, and ends
// the run with AppQuit.
//
// A scenario, in any source file of the probe program:
//   PROBE_SCENARIO(Name) { if (pass == 1) { probe::log("..."); AppQuit(); } }
// and its test: const ProbeResult run = probeRun("Name", folder); then run.exitCode and run.log.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace probe {

// The hook of a scenario; pass counts the 10008s since the start-up (10004), from 1.
using Hook = void (*)(std::uint32_t pass);

struct Scenario {
    const char* name;
    Hook hook;
    int boxAnswer;  // the button every message box answers
};

// Registers a scenario of the probe program (done by PROBE_SCENARIO).
bool add(const Scenario& scenario);

// In the child: one line of the run's log ("probe.log" in its folder).
void log(const std::string& line);
// The scripted clock: now, and a move forward.
std::uint32_t now();
void advance(std::uint32_t ms);
// The main window, and input sent through it as the user's would arrive.
HWND window();
void send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// The child's entry: runs the named scenario through AppMain and returns its exit code.
int runScenario(const char* name);

}  // namespace probe

#define PROBE_SCENARIO_WITH(name, answer)                                                  \
    static void probeHook_##name(std::uint32_t pass);                                      \
    static const bool probeAdded_##name = probe::add({#name, probeHook_##name, answer});   \
    static void probeHook_##name([[maybe_unused]] std::uint32_t pass)
#define PROBE_SCENARIO(name) PROBE_SCENARIO_WITH(name, IDOK)

// The test side: a run of a scenario in folder, its exit code and its log lines. The run is of this probe
// program, or of the copy of it at program.
struct ProbeResult {
    unsigned long exitCode = 0;
    std::vector<std::string> log;
    std::string output;
};
ProbeResult probeRun(const std::string& scenario, const std::string& folder, const std::string& program = "");
