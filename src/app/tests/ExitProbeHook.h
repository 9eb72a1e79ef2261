// A message hook that, once armed inside a running QUOMB_32, reports at the program's end which of the
// puzzle answers' script command names its heaps still hold.
#pragma once

#include <windows.h>

// The registered message that arms the probe, posted to the program's trinket window.
constexpr const char* kExitProbeMessage = "QuombExitProbe";
// Written in the program's working folder: "armed" when the message arrives, then, when the process ends,
// "left <n>" with the number of heap blocks in use that hold the text "SetAnswer" (the start of the names
// "SetAnswerGoHomeSound", "SetAnswerPickUpSound" and "SetAnswerSnapSound", which only the registry of
// script commands copies).
constexpr const char* kExitProbeFile = "exitprobe.txt";

#ifdef EXIT_PROBE_BUILDING
#define EXIT_PROBE_API __declspec(dllexport)
#else
#define EXIT_PROBE_API __declspec(dllimport)
#endif

// WH_GETMESSAGE hook procedure; the module's only export.
EXIT_PROBE_API LRESULT CALLBACK exitProbeMessage(int code, WPARAM removed, LPARAM message);
