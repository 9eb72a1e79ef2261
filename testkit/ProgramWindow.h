// A program started in a folder and watched from outside through its windows and the screen, for
// end-to-end tests and start-up benchmarks.
#pragma once

#include <windows.h>

#include <string>

class ProgramWindow {
public:
    // Starts `program` (a full file name) without arguments in `folder`.
    ProgramWindow(const std::string& program, const std::string& folder);
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;
    // Ends the process when it still runs.
    ~ProgramWindow();

    bool started() const { return process_.hProcess != nullptr; }
    // A visible window of the process of that class: a top-level window or a child of one; null when
    // none appears within timeoutMs.
    HWND waitForWindow(const char* className, DWORD timeoutMs) const;
    // Whether the screen shows colour at `at` (client coordinates of window) within timeoutMs.
    bool waitForColour(HWND window, POINT at, COLORREF colour, DWORD timeoutMs) const;
    // The screen's colour at `at` in window's client coordinates.
    static COLORREF colourAt(HWND window, POINT at);
    // Posts the messages of one key press that gives a character: WM_CHAR, then WM_KEYUP.
    static void postCharacter(HWND window, char character, UINT virtualKey);
    // Real input through SendInput, as a person gives it to whatever window the screen shows there:
    // a click at `at` (client coordinates of window), a drag from `from` to `to` in small steps, and a
    // key pressed and released (with Shift held when asked) in the window that has the focus.
    static void click(HWND window, POINT at);
    static void drag(HWND window, POINT from, POINT to);
    static void typeKey(UINT virtualKey, bool shift = false);
    // The exit code, or STILL_ACTIVE when the process runs on after timeoutMs.
    DWORD waitForExit(DWORD timeoutMs) const;
    // The folder of the running test or benchmark program, ending in a backslash.
    static std::string ownFolder();

private:
    PROCESS_INFORMATION process_{};
};
