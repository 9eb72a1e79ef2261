// The exported window procedures: ApplProc of the main window, which hands every message to the
// application after the engine's own handling of activation, palettes and the end of the window, and
// ApplicationMenuProc of the menu window class.
#pragma once

#include <windows.h>

extern "C" {
LRESULT CALLBACK ApplProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ApplicationMenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
}
