// A message hook that runs inside a running program (QUOMB_32 or Tottlewick) and answers the tests' probes.
#pragma once

#include <windows.h>

// The registered message of the window probe, posted to the program's window.
constexpr const char* kProbeMessage = "QuombProbe";
// The file the window probe's answer is written to, in the program's working folder: one line
// "icon <standard|own> <width>x<height>, cursor <arrow|own> hotspot <x>,<y>".
constexpr const char* kProbeFile = "probe.txt";

// The registered message that arms the exit probe, posted to the program's window.
constexpr const char* kExitProbeMessage = "QuombExitProbe";
// Written in the program's working folder: "armed" when the message arrives, then, when the process ends,
// "left <n>" with the number of heap blocks in use that hold the text "SetAnswer" (the start of the names
// "SetAnswerGoHomeSound", "SetAnswerPickUpSound" and "SetAnswerSnapSound", which only the registry of
// script commands copies).
constexpr const char* kExitProbeFile = "exitprobe.txt";

#ifdef PROBE_HOOK_BUILDING
#define PROBE_HOOK_API __declspec(dllexport)
#else
#define PROBE_HOOK_API __declspec(dllimport)
#endif

// WH_GETMESSAGE hook procedure; the module's only export.
PROBE_HOOK_API LRESULT CALLBACK probeMessage(int code, WPARAM removed, LPARAM message);
