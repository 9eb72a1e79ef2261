// The main window procedure: system events of the main window become the application's handlers.
#pragma once

#include <windows.h>

#include <cstdint>

// Registered by the application for its main window; while there is no application every message
// goes to DefWindowProcA.
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Set by WM_CANCELMODE, cleared when focus returns to an active window; read on activation.
extern std::int32_t cancelModePending;
