// Keyboard routing of the main window: keys reach the framework's active window as characters only,
// keys without a character as private codes, and every key-up carries the code of its key-down.
#pragma once

#include <windows.h>

#include <cstdint>

#include "OMList.h"

class OMWindow;

// A key-down that reached a window: the character code it was delivered with and its scan code
// (bits 16-23 of the key message's lParam, kept in place).
struct OMKeyDownSent {
    std::uint32_t code;
    std::uint32_t scanCode;
};

// The key-downs delivered and not yet released, oldest first.
OMList<OMKeyDownSent>& keyDownsSent();

// Delivers the current message, a WM_CHAR, to the window's key handler. Untranslated characters
// Backspace, Tab, Enter and Escape become their private codes first (the current message is rewritten
// even when no window takes it). A key's first delivery leaves one record; auto-repeats add none.
void routeCharacter(OMWindow* window, std::int32_t translated);

// The main window's WM_KEYDOWN, WM_KEYUP/WM_SYSKEYUP and WM_SYSCHAR.
LRESULT routeKeyDown(WPARAM wParam);
LRESULT routeKeyUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT routeSystemCharacter(HWND window, WPARAM wParam, LPARAM lParam);
