// Watching a program's windows from outside: polling for its window and for colours on the screen, and
// posting keys to it.
#include "ProgramWindow.h"

#include <cstring>

namespace {

constexpr DWORD kPollMs = 5;

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

bool matches(HWND window, const WindowSearch& search) {
    char name[256];
    return IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) > 0 &&
           std::strcmp(name, search.className) == 0;
}

BOOL CALLBACK visitChild(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    if (matches(window, *search)) search->found = window;
    return search->found == nullptr;
}

BOOL CALLBACK visitTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    if (matches(window, *search)) search->found = window;
    else EnumChildWindows(window, visitChild, data);
    return search->found == nullptr;
}

}  // namespace

ProgramWindow::ProgramWindow(const std::string& program, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = "\"" + program + "\"";
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process_))
        process_ = {};
}

ProgramWindow::~ProgramWindow() {
    if (!started()) return;
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 259);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND ProgramWindow::waitForWindow(const char* className, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        WindowSearch search{process_.dwProcessId, className, nullptr};
        EnumWindows(visitTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (WaitForSingleObject(process_.hProcess, kPollMs) == WAIT_OBJECT_0) return nullptr;
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

COLORREF ProgramWindow::colourAt(HWND window, POINT at) {
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    const COLORREF shown = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return shown;
}

bool ProgramWindow::waitForColour(HWND window, POINT at, COLORREF colour, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        if (colourAt(window, at) == colour) return true;
        if (WaitForSingleObject(process_.hProcess, kPollMs) == WAIT_OBJECT_0) return false;
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

void ProgramWindow::postCharacter(HWND window, char character, UINT virtualKey) {
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, 0)) << 16;
    PostMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(character)), scanCode | 1);
    PostMessageA(window, WM_KEYUP, virtualKey, scanCode | 1 | 0xC0000000);
}

DWORD ProgramWindow::waitForExit(DWORD timeoutMs) const {
    if (!started() || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

std::string ProgramWindow::ownFolder() {
    char path[MAX_PATH];
    const std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return own.substr(0, own.find_last_of('\\') + 1);
}
