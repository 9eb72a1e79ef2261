// The main window procedure: system events become the application's handlers, the background is
// painted, and keyboard and mouse input is routed to the framework's active window.
#pragma once

#include <windows.h>

#include <cstdint>

// Registered by the application for its main window; while there is no application every message
// goes to DefWindowProcA.
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Activates the framework's active window again with the modal window set aside for the call; with a
// modal window the main window's caption then stays inactive.
void reactivateActiveWindow();

// Set by WM_CANCELMODE, cleared when focus returns to an active window; read on activation.
extern std::int32_t cancelModePending;
// A program setting: while 0, right and middle non-client buttons are swallowed.
extern std::int32_t rightAndMiddleButtons;
