// A message hook that runs inside a running QUOMB_32 and reports what its main window shows.
#pragma once

#include <windows.h>

// The registered message the hook answers, posted to the program's trinket window.
constexpr const char* kProbeMessage = "QuombProbe";
// The file the answer is written to, in the program's working folder: one line
// "icon <standard|own> <width>x<height>, cursor <arrow|own> hotspot <x>,<y>".
constexpr const char* kProbeFile = "probe.txt";

#ifdef PROBE_HOOK_BUILDING
#define PROBE_HOOK_API __declspec(dllexport)
#else
#define PROBE_HOOK_API __declspec(dllimport)
#endif

// WH_GETMESSAGE hook procedure; the module's only export.
PROBE_HOOK_API LRESULT CALLBACK probeMessage(int code, WPARAM removed, LPARAM message);
